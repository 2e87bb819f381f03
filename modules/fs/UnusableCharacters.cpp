// Which folder names the walk refuses: codes of the ANSI code page that are control codes or "?".
#include <QStringEncoder>

#include "modules/fs/AddFolder.h"

namespace fs {
namespace {

constexpr int kQuestionMark = 63;  // what a character the code page cannot encode reads as

// The character's code in the ANSI code page, as a signed 16-bit number: a double-byte
// character gives lead * 256 + trail, negative when the lead byte is 0x80 or above.
int ansiCode(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<int>(codePoint);
    // A fresh encoder per character: a failed conversion leaves the encoder's error set.
    QStringEncoder encoder(kAnsiCodePage);
    const QByteArray bytes = encoder.encode(QString::fromUcs4(&codePoint, 1));
    if (encoder.hasError() || bytes.isEmpty() || bytes.size() > 2)
        return kQuestionMark;
    if (bytes.size() == 1)
        return static_cast<unsigned char>(bytes[0]);
    const auto word = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                 static_cast<unsigned char>(bytes[1]));
    return static_cast<std::int16_t>(word);
}

}  // namespace

bool HasUnusableCharacters(const QString& name)
{
    for (const char32_t codePoint : name.toUcs4()) {
        const int code = ansiCode(codePoint);
        if (code < 32 || (code >= 127 && code <= 159) || code == kQuestionMark)
            return true;
    }
    return false;
}

}  // namespace fs
