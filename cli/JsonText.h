// The pieces of the JSON objects the commands print.
#pragma once

#include <string>
#include <vector>

// A quoted JSON string: characters pass as they are, a stray byte becomes U+FFFD.
std::string JsonString(const std::string& text);
// ["a","b"]
std::string JsonList(const std::vector<std::string>& texts);
// What a failed command prints on standard output: {"error":...,"exit_code":...}.
std::string JsonError(const std::string& text, int code);
