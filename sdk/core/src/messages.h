// The English and Chinese message of every result code.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace prt {

struct MessageRow {
  int32_t code;
  const char *name;     // PRT_ERR_* name, or "" for codes without one
  const char *english;  // UTF-8
  const char *chinese;  // UTF-8
};

std::span<const MessageRow> MessageTable();

// Row for a code of 0 or below; codes without a row get the fallback row.
const MessageRow &MessageFor(int32_t code);

// The fallback row ("Printer Unknown Error!").
const MessageRow &FallbackMessage();

// The message in the 8-bit form PrtFormatErrorA emits (GBK bytes).
std::string_view MessageGbk(int32_t code, bool chinese);

}  // namespace prt
