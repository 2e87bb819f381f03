// The lossless file-name codec: UTF-8 with undecodable bytes kept as lone surrogates.
#include "components/files/FileName.h"

namespace files {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // U+DC80 stands for byte 0x80, U+DCFF for 0xFF
constexpr char16_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence at bytes[i] (its code point in codePoint), or 0 when the
// bytes there are no such sequence: overlong forms, encoded surrogates and values past
// U+10FFFF are not valid.
int validSequence(QByteArrayView bytes, qsizetype i, char32_t& codePoint)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (at(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

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
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const int length = validSequence(bytes, i, codePoint);
        if (length == 0) {
            text.append(QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        const char32_t one[] = {codePoint};
        text.append(QString::fromUcs4(one, 1));
        i += length;
    }
    return text;
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
