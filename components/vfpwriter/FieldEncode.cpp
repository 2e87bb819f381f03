// Turning one value into the bytes a field of the table writer holds, type by type.
#include "components/vfpwriter/FieldEncode.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "components/calendar/Calendar.h"
#include "components/vfp/CodePage.h"
#include "components/vfp/Endian.h"
#include "components/vfp/VfpError.h"

namespace vfpwriter::encode {
namespace {

std::string formatNumber(double value, int decimals)
{
    char text[400];  // the widest double printed in full
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

bool isMemoType(vfp::FieldType type)
{
    return type == vfp::FieldType::Memo || type == vfp::FieldType::General ||
           type == vfp::FieldType::Blob || type == vfp::FieldType::Picture;
}

std::string fieldError(const std::string& table, const std::string& field,
                       const std::string& problem)
{
    return table + ": field " + field + " " + problem;
}

void fieldBytes(const FieldDefinition& definition, const vfp::Value& value, const Context& context,
                std::string& out)
{
    const std::string& name = context.table;
    const auto wrongKind = [&]() {
        return vfp::VfpError(
            fieldError(name, definition.name, "cannot take a value of this kind."));
    };
    const auto tooLong = [&](std::size_t n) {
        return vfp::VfpError(fieldError(name, definition.name,
                                        "is " + std::to_string(definition.length) +
                                            " bytes wide; the value needs " + std::to_string(n) +
                                            "."));
    };
    const auto width = static_cast<std::size_t>(definition.length);
    out.clear();
    if (value.kind == vfp::Value::Kind::Null) {
        if (!definition.nullable)
            throw vfp::VfpError(fieldError(name, definition.name, "is not nullable."));
        return;
    }
    if (value.kind == vfp::Value::Kind::Empty)
        return;
    switch (definition.type) {
        case vfp::FieldType::Character:
        case vfp::FieldType::Varchar:
        case vfp::FieldType::Varbinary:
        case vfp::FieldType::Memo:
        case vfp::FieldType::General:
        case vfp::FieldType::Blob:
        case vfp::FieldType::Picture:
            if (value.kind != vfp::Value::Kind::Text && value.kind != vfp::Value::Kind::Binary)
                throw wrongKind();
            out = value.kind == vfp::Value::Kind::Binary || definition.binary
                      ? value.bytes
                      : vfp::encodeText(value.bytes, context.codePage);
            if (!isMemoType(definition.type) && out.size() > width)
                throw tooLong(out.size());
            break;
        case vfp::FieldType::Numeric:
        case vfp::FieldType::Float:
            if (value.kind == vfp::Value::Kind::Decimal)
                out = value.bytes;
            else if (value.kind == vfp::Value::Kind::Integer)
                out = std::to_string(value.integer);
            else if (value.kind == vfp::Value::Kind::Double && std::isfinite(value.real))
                out = formatNumber(value.real, definition.decimals);
            else
                throw wrongKind();
            if (out.size() > width)
                throw tooLong(out.size());
            break;
        case vfp::FieldType::Integer:
            if (value.kind != vfp::Value::Kind::Integer || value.integer < INT32_MIN ||
                value.integer > INT32_MAX)
                throw wrongKind();
            out.resize(4);
            vfp::endian::putLe32(out.data(), static_cast<std::uint32_t>(value.integer));
            break;
        case vfp::FieldType::Double: {
            if (value.kind != vfp::Value::Kind::Double && value.kind != vfp::Value::Kind::Integer)
                throw wrongKind();
            const double number = value.kind == vfp::Value::Kind::Double
                                      ? value.real
                                      : static_cast<double>(value.integer);
            std::uint64_t bits;
            std::memcpy(&bits, &number, sizeof bits);
            out.resize(8);
            vfp::endian::putLe64(out.data(), bits);
            break;
        }
        case vfp::FieldType::Currency: {
            if (value.kind != vfp::Value::Kind::Currency && value.kind != vfp::Value::Kind::Integer)
                throw wrongKind();
            const std::int64_t scaled =
                value.kind == vfp::Value::Kind::Currency ? value.integer : value.integer * 10000;
            out.resize(8);
            vfp::endian::putLe64(out.data(), static_cast<std::uint64_t>(scaled));
            break;
        }
        case vfp::FieldType::Date: {
            if (value.kind != vfp::Value::Kind::Date ||
                !calendar::isValidDate(value.year, value.month, value.day))
                throw wrongKind();
            char text[40];  // room for any int, though dates are checked to 4+2+2 digits
            std::snprintf(text, sizeof text, "%04d%02d%02d", value.year, value.month, value.day);
            out.assign(text, 8);
            break;
        }
        case vfp::FieldType::DateTime: {
            if (value.kind != vfp::Value::Kind::DateTime ||
                !calendar::isValidDate(value.year, value.month, value.day))
                throw wrongKind();
            std::int64_t milliseconds =
                ((value.hour * 60 + value.minute) * 60 + value.second) * std::int64_t{1000};
            if (context.datetimeOneMsShort && milliseconds > 0)
                --milliseconds;
            out.resize(8);
            vfp::endian::putLe32(out.data(), static_cast<std::uint32_t>(calendar::julianDay(
                                                 value.year, value.month, value.day)));
            vfp::endian::putLe32(out.data() + 4, static_cast<std::uint32_t>(milliseconds));
            break;
        }
        case vfp::FieldType::Logical:
            if (value.kind != vfp::Value::Kind::Boolean)
                throw wrongKind();
            out.assign(1, value.integer ? 'T' : 'F');
            break;
        case vfp::FieldType::NullFlags:
            throw wrongKind();
    }
}

}  // namespace vfpwriter::encode
