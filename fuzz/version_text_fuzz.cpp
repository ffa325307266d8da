// VersionText: translations are 8 upper-case hex digits, tried once each, English last;
// cells are single-line copies of the value.
#include <cstdlib>

#include "FuzzSupport.h"
#include "scan/VersionText.h"

namespace {

bool IsTranslation(const std::string& t) {
  if (t.size() != 8) return false;
  for (char c : t) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader in(data, size);
  const auto language = in.Take<std::uint16_t>();
  const auto codePage = in.Take<std::uint16_t>();
  const auto flags = in.Take<std::uint8_t>();
  const auto lenByte = in.Take<std::uint8_t>();
  const std::vector<std::string> fields = in.Fields();

  const std::string translation = FormatTranslation(language, codePage);
  FUZZ_CHECK(IsTranslation(translation));
  FUZZ_CHECK(std::strtoul(translation.c_str(), nullptr, 16) ==
             (static_cast<unsigned long>(language) << 16 | codePage));

  const bool has = flags & 1;
  const std::vector<std::string> order = VersionTranslationsToTry(has, language, codePage);
  FUZZ_CHECK(order.size() >= 3 && order.size() <= 6);
  for (std::size_t i = 0; i < order.size(); ++i) {
    FUZZ_CHECK(IsTranslation(order[i]));
    for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(order[i] != order[j]);
  }
  if (has) {
    FUZZ_CHECK(order[0] == translation);
    const std::string lang = translation.substr(0, 4);
    for (const char* cp : {"04B0", "04E4"}) {
      bool found = false;
      for (const std::string& t : order) found = found || t == lang + cp;
      FUZZ_CHECK(found);
    }
  } else {
    FUZZ_CHECK(order.size() == 3);
  }
  // The English tables come last, in their fixed order, whatever came before.
  std::vector<std::string> english;
  for (const std::string& t : order) {
    if (t == "040904B0" || t == "040904E4" || t == "04090000") english.push_back(t);
  }
  FUZZ_CHECK(english.size() == 3);
  if (!has || language != 0x0409) {
    FUZZ_CHECK((english == std::vector<std::string>{"040904B0", "040904E4", "04090000"}));
  }

  const char* key = kVersionKeys[flags % 8];
  const std::string path = VersionQueryPath(translation, key);
  FUZZ_CHECK(path == "\\StringFileInfo\\" + translation + "\\" + key);

  // The value as the platform hands it over: a buffer, len bytes of it meant.
  const std::string value = fields[0];
  const std::size_t len = flags & 2 ? value.size() + (lenByte & 1) : lenByte;
  std::string buffer = value;
  buffer.resize(len > value.size() ? len : value.size() + 1, '\0');
  const std::string cell = VersionCell(buffer.data(), len);
  const std::size_t shown = len < value.size() ? len : value.size();
  FUZZ_CHECK(cell.find('\r') == std::string::npos && cell.find('\n') == std::string::npos);
  if (shown == 0) {
    FUZZ_CHECK(cell == " ");
  } else {
    FUZZ_CHECK(cell.size() == shown);
    for (std::size_t i = 0; i < shown; ++i) {
      const char c = value[i];
      FUZZ_CHECK(cell[i] == ((c == '\r' || c == '\n') ? ' ' : c));
    }
  }
  return 0;
}
