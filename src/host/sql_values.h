// Values between SQLite and the component: declared column types to data types, stored values to
// typed values and back.
//
// Dates are stored as ISO 8601 text ("2026-12-06", "2026-12-06 09:30:00"), Currency as its exact
// decimal text. A number stored in a Date column is read as a date serial, and a date that is not
// a whole second is written as its serial, so every Date value survives the trip.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/sqlite_database.h"
#include "runtime/variant.h"

namespace vl {

// The data type a declared column type maps to, by name: "smallint" Integer, "int"/"integer"
// Long, "single" Single, "real"/"double"/"float" Double, "currency"/"money" Currency,
// "date"/"datetime"/"time" Date, "varchar(N)"/"char(N)"/"text" String of width N (0 for text),
// "boolean"/"bit" Boolean, "tinyint" Byte; anything else a String of width 0.
struct DeclaredType {
  std::uint16_t dataType = 8;
  std::int32_t length = 0;
};
DeclaredType MapDeclaredType(std::string_view declType);

// A stored value as the box of a column of `columnType` receives it. Text is converted to CP932;
// text without a CP932 form throws CVlValueException 1102. A value that does not read as the
// column's type is handed over as it is, so the box's own conversion reports it.
Variant SqlToVariant(const SqlValue& value, std::uint16_t columnType);
// A value of the component as SQLite stores it, by the value's own type.
SqlValue VariantToSql(const Variant& value);

// "2026-12-06" for a date at midnight, "2026-12-06 09:30:00" otherwise; nothing for a serial that
// is not a valid date or not a whole second.
std::optional<std::string> DateSerialToIso(double serial);
// "YYYY-MM-DD", optionally followed by " " or "T" and "HH:MM[:SS]"; or "HH:MM[:SS]" alone.
std::optional<double> IsoToDateSerial(std::string_view text);

// The shortest decimal text that reads back as the same double ("120.5", "0.1", "-3").
std::string ShortestDecimal(double value);

}  // namespace vl
