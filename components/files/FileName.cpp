// The lossless file-name codec: UTF-8 with undecodable bytes kept as lone surrogates.
#include "components/files/FileName.h"

#include "components/text/Utf8.h"

namespace files {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // U+DC80 stands for byte 0x80, U+DCFF for 0xFF
constexpr char16_t kReplacement = 0xFFFD;

bool isEscapedByte(QChar c)
{
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

// A lone surrogate: one not part of a well-formed pair.
bool isLone(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

}  // namespace

QString fileNameText(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    const std::string_view view(bytes.data(), static_cast<std::size_t>(bytes.size()));
    for (std::size_t i = 0; i < view.size();) {
        const text::Utf8Char c = text::decodeUtf8(view, i);
        if (!c.valid) {
            name.append(QChar(char16_t(kEscapeBase + static_cast<unsigned char>(view[i]))));
            ++i;  // byte by byte: each byte of an ill-formed part comes back on its own
            continue;
        }
        name.append(QString::fromUcs4(&c.codePoint, 1));
        i += c.length;
    }
    return name;
}

QByteArray fileNameBytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        if (end > runStart)
            bytes.append(text.mid(runStart, end - runStart).toUtf8());
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLone(text, i))
            continue;
        flush(i);
        if (isEscapedByte(text[i]))
            bytes.append(char(text[i].unicode() - kEscapeBase));
        else
            bytes.append(QStringView(u"\uFFFD").toUtf8());
        runStart = i + 1;
    }
    flush(text.size());
    return bytes;
}

QString shownFileName(QStringView text)
{
    QString shown = text.toString();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (isLone(shown, i))
            shown[i] = QChar(kReplacement);
    }
    return shown;
}

}  // namespace files
