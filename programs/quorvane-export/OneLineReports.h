// While alive, every message box the shared code shows becomes one line on standard error:
// the description alone, without the report's location and e-mail request, which mean
// nothing to a script. Counting them lets a command fail instead of passing a partial result
// off as success.
#pragma once

#include "modules/app/MessageBox.h"

namespace cli {

class OneLineReports : public app::MessageBox
{
public:
    OneLineReports();
    ~OneLineReports() override;
    OneLineReports(const OneLineReports&) = delete;
    OneLineReports& operator=(const OneLineReports&) = delete;

    void show(const QString& text, int style, const QString& title) override;
    int shown() const { return mShown; }

private:
    int mShown = 0;
};

}  // namespace cli
