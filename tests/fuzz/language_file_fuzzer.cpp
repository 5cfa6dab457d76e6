// Feeds arbitrary bytes to the language file reader: applied to a set of
// window texts and the message table, then written out as a template.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/language_file.h"

namespace {

std::vector<capter::WindowTexts> Windows() {
  using capter::ControlKind;
  capter::WindowTexts main{"Form1", "Capter", {}};
  main.controls.push_back({ControlKind::MainMenu,
                           "MainMenu1",
                           "",
                           "",
                           "",
                           {},
                           {{"File1", "&File", {{"OpenVob1", "&Open Vob(s)", {}}}}}});
  main.controls.push_back({ControlKind::RadioGroup,
                           "RadioGroupPreviewBack",
                           "Background : ",
                           "",
                           "",
                           {"None", "Preset :", "Free :"},
                           {}});
  main.controls.push_back({ControlKind::Edit, "Edit1", "", "", "text", {}, {}});
  main.controls.push_back({ControlKind::FlatButton, "CoolButtonOpenVob", "", "hint", "", {}, {}});
  return {main, capter::WindowTexts{"", "unnamed", {}}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const capter::IniFile file(std::string(reinterpret_cast<const char*>(data), size));
  auto windows = Windows();
  capter::MessageTable messages;
  capter::ApplyWindowTexts(file, windows);
  capter::ApplyMessages(file, messages);
  if (messages.Size() < 57) std::abort();
  if (windows[0].controls[1].items.size() != 3) std::abort();
  capter::IniFile written;
  capter::WriteLanguageTexts(written, windows, messages);
  return 0;
}
