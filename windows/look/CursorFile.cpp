// Cursor files: a 6-byte header (reserved 0, type 2, image count), then 16-byte entries.
#include "windows/look/CursorFile.h"

#include <stdexcept>

#include <QFile>
#include <QImage>
#include <QPixmap>

namespace look {
namespace {

// Far above any real cursor (a 256x256 32-bit image is 320 KiB); a bigger file is not one.
constexpr qint64 kMaxCursorFileSize = 1 << 20;
constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;

quint32 readLittleEndian(const QByteArray& bytes, int offset, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    return value;
}

[[noreturn]] void fail(const QString& path, const QString& why)
{
    throw std::runtime_error(
        QStringLiteral("%1 cannot be used as the pointer: %2").arg(path, why).toStdString());
}

}  // namespace

QCursor loadCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    if (file.size() > kMaxCursorFileSize)
        fail(path, QStringLiteral("the file is %1 bytes, too big for a cursor").arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (bytes.size() < kHeaderSize + kEntrySize)
        fail(
            path,
            QStringLiteral("the file is %1 bytes, shorter than a cursor header").arg(bytes.size()));
    // bytes 0-1 reserved (0), 2-3 type (2 = cursor; 1 would be an icon), 4-5 image count
    if (readLittleEndian(bytes, 0, 2) != 0 || readLittleEndian(bytes, 2, 2) != 2)
        fail(path, QStringLiteral("it is not a cursor file"));
    if (readLittleEndian(bytes, 4, 2) == 0)
        fail(path, QStringLiteral("it holds no image"));
    // First entry: width, height (0 means 256), colours, reserved, hotspot x and y (bytes
    // 10-13), image size, image offset.
    const int width = bytes[6] == 0 ? 256 : static_cast<quint8>(bytes[6]);
    const int height = bytes[7] == 0 ? 256 : static_cast<quint8>(bytes[7]);
    const int hotX = static_cast<int>(readLittleEndian(bytes, 10, 2));
    const int hotY = static_cast<int>(readLittleEndian(bytes, 12, 2));
    const quint64 imageSize = readLittleEndian(bytes, 14, 4);
    const quint64 imageOffset = readLittleEndian(bytes, 18, 4);
    if (imageOffset + imageSize > static_cast<quint64>(bytes.size()))
        fail(path, QStringLiteral(
                       "its image (%1 bytes at offset %2) runs past the end of the %3-byte file")
                       .arg(imageSize)
                       .arg(imageOffset)
                       .arg(bytes.size()));
    if (hotX >= width || hotY >= height)
        fail(path, QStringLiteral("its hotspot %1,%2 lies outside the %3x%4 image")
                       .arg(hotX)
                       .arg(hotY)
                       .arg(width)
                       .arg(height));
    const QImage image = QImage::fromData(bytes, "ICO");
    if (image.isNull())
        fail(path, QStringLiteral("its image cannot be decoded"));
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

}  // namespace look
