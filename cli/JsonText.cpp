#include "cli/JsonText.h"

#include <cstdio>

#include "common/Utf8.h"

namespace {

// The length of the well-formed character at `at`; 0 for a stray byte.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
  for (std::size_t length = 1; length <= 4 && at + length <= text.size(); ++length) {
    if (IsUtf8(text.data() + at, length)) {
      return length;
    }
  }
  return 0;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (std::size_t at = 0; at < text.size();) {
    unsigned char u = static_cast<unsigned char>(text[at]);
    std::size_t length = CharacterLength(text, at);
    if (length == 0) {
      json += "\\ufffd";
      length = 1;
    } else if (u == '"' || u == '\\') {
      json += '\\';
      json += text[at];
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      json += escaped;
    } else {
      json.append(text, at, length);
    }
    at += length;
  }
  return json + "\"";
}

std::string JsonList(const std::vector<std::string>& texts) {
  std::string json = "[";
  for (const std::string& text : texts) {
    json += (json.size() > 1 ? "," : "") + JsonString(text);
  }
  return json + "]";
}

std::string JsonError(const std::string& text, int code) {
  return "{\"error\":" + JsonString(text) + ",\"exit_code\":" + std::to_string(code) + "}\n";
}
