// The tooltip of a table list item shows where a folder's table lies as the text it is: folder
// and file names a stranger chose never turn into markup (an <img> would make the tooltip read
// the file it names).
#include <gtest/gtest.h>

#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTreeWidget>

#include "tests/support/GuiApp.h"
#include "windows/Form2TableList.h"

namespace {

struct ToolTipCase
{
    const char* name;
    const char* query;
};

class Form2ToolTip : public testing::TestWithParam<ToolTipCase>
{
};

// The text a tooltip label shows for tip: rendered when it looks like markup, as Qt decides.
QString shownText(const QString& tip)
{
    return Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
}

TEST_P(Form2ToolTip, showsThePathAsItIs)
{
    testsupport::ensureGuiApp();
    QTreeWidget view;
    windows::Form2TableList list(view);
    const QString query = QString::fromUtf8(GetParam().query);
    list.show({{QStringLiteral("t"), query}});
    EXPECT_EQ(shownText(view.topLevelItem(0)->toolTip(0)), query);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Form2ToolTip,
    testing::Values(ToolTipCase{"plain_path", "old/orders.dbf"},
                    ToolTipCase{"folder_named_like_a_tag", "<b>old/t.dbf"},
                    ToolTipCase{"folders_spelling_an_image", "<img src=x>/t.dbf"},
                    ToolTipCase{"folder_named_like_an_entity", "a&lt;b/t.dbf"},
                    ToolTipCase{"folder_named_like_a_doctype", "<!doctype html>x/t.dbf"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
