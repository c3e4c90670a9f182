#include "EventRecordFile.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

namespace wltsim {

namespace {

// 1 to 4 hexadecimal digits, with or without 0x.
bool ParseWord(const std::string& token, uint16_t& value) {
  std::string digits = token;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits = digits.substr(2);
  if (digits.empty() || digits.size() > 4) return false;
  unsigned v = 0;
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    v = v * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10));
  }
  value = static_cast<uint16_t>(v);
  return true;
}

// A decimal event number 1 to 40.
bool ParseEventNumber(const std::string& token, int& number) {
  if (token.empty() || token.size() > 2) return false;
  int n = 0;
  for (char c : token) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > kEventRecords) return false;
  number = n;
  return true;
}

}  // namespace

bool ParseEventRecords(std::istream& in, EventWords& words, std::string& error) {
  words = ErasedEventHistory();
  bool given[kEventRecords] = {};
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    std::vector<std::string> tokens;
    for (std::string token; fields >> token;) tokens.push_back(token);
    if (tokens.empty()) continue;
    auto fail = [&](const std::string& reason) {
      error = std::to_string(lineNumber) + ": " + reason;
      return false;
    };
    int number = 0;
    if (!ParseEventNumber(tokens[0], number)) return fail("event number must be 1 to 40, not '" + tokens[0] + "'");
    if (given[number - 1]) return fail("event " + std::to_string(number) + " given twice");
    given[number - 1] = true;
    if (tokens.size() != 1 + kEventRecordWords)
      return fail("expected " + std::to_string(kEventRecordWords) + " words after the event number, found " +
                  std::to_string(tokens.size() - 1));
    for (int i = 0; i < kEventRecordWords; ++i) {
      uint16_t value = 0;
      const std::string& token = tokens[static_cast<size_t>(i) + 1];
      if (!ParseWord(token, value)) return fail("'" + token + "' is no hexadecimal word 0 to FFFF");
      words[static_cast<size_t>((number - 1) * kEventRecordWords + i)] = value;
    }
  }
  if (in.bad()) {
    error = std::to_string(lineNumber + 1) + ": read error";
    return false;
  }
  return true;
}

bool LoadEventRecords(const std::string& path, EventWords& words, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = path + ": cannot open";
    return false;
  }
  if (!ParseEventRecords(in, words, error)) {
    error = path + ":" + error;
    return false;
  }
  return true;
}

}  // namespace wltsim
