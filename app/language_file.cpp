#include "app/language_file.h"

#include <algorithm>
#include <filesystem>

#include "base/cp1252.h"

namespace capter {
namespace {

constexpr const char* kMessagesSection = "Messages";
constexpr const char* kTemplateName = "New_LangFile";
constexpr std::string_view kExtension = ".lng";

bool HasCaption(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::Button:
    case ControlKind::BitButton:
    case ControlKind::RadioButton:
    case ControlKind::RadioGroup:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
    case ControlKind::TabSheet:
      return true;
    default:
      return false;
  }
}

bool HasHint(ControlKind kind) {
  return HasCaption(kind) || kind == ControlKind::FlatButton;
}

bool IsMenu(ControlKind kind) {
  return kind == ControlKind::MainMenu || kind == ControlKind::PopupMenu;
}

std::string MessageKey(size_t index) {
  return "MsgStr_" + std::to_string(index);
}

// One routine walks the texts for both directions: `visit(section, key,
// text, optional)` is called for every text with its place in the file;
// `optional` marks hints, which the template leaves out when empty.
template <class Windows, class Visit>
void VisitTexts(Windows& windows, Visit&& visit) {
  for (auto& window : windows) {
    if (window.name.empty()) continue;
    const std::string prefix = window.name + '.';
    visit(window.name, prefix + window.name + ".Caption", window.caption, false);
    for (auto& control : window.controls) {
      const std::string key = prefix + control.name;
      if (HasCaption(control.kind)) visit(window.name, key + ".Caption", control.caption, false);
      if (HasHint(control.kind)) visit(window.name, key + ".Hint", control.hint, true);
      if (control.kind == ControlKind::Edit) visit(window.name, key + ".Text", control.text, false);
      if (control.kind == ControlKind::RadioGroup) {
        for (size_t i = 0; i < control.items.size(); ++i) {
          visit(window.name, key + ".Items" + std::to_string(i), control.items[i], false);
        }
      }
      if (IsMenu(control.kind)) {
        // Depth first, in item order; each level adds its item's name.
        auto walk = [&](auto& self, auto& items, const std::string& path) -> void {
          for (auto& item : items) {
            const std::string itemKey = path + '.' + item.name;
            visit(key, itemKey, item.caption, false);
            self(self, item.items, itemKey);
          }
        };
        walk(walk, control.menu, key);
      }
    }
  }
}

}  // namespace

void ApplyWindowTexts(const IniFile& file, std::vector<WindowTexts>& windows) {
  VisitTexts(windows,
             [&](const std::string& section, const std::string& key, std::string& text, bool) {
               if (std::optional<std::string> value = file.Find(section, key))
                 text = std::move(*value);
             });
}

void ApplyMessages(const IniFile& file, MessageTable& messages) {
  for (size_t n = 0;; ++n) {
    std::optional<std::string> value = file.Find(kMessagesSection, MessageKey(n));
    if (!value || value->empty()) return;
    // Entries are read in index order, so n is at most the table's length:
    // Set replaces within the table and appends at its end.
    messages.Set(n, std::move(*value));
  }
}

void WriteLanguageTexts(IniFile& file, const std::vector<WindowTexts>& windows,
                        const MessageTable& messages) {
  VisitTexts(windows, [&](const std::string& section, const std::string& key,
                          const std::string& text, bool optional) {
    if (!optional || !text.empty()) file.WriteString(section, key, text);
  });
  for (size_t n = 0; n < messages.Size(); ++n) {
    file.WriteString(kMessagesSection, MessageKey(n), messages.GetMessage(n));
  }
}

std::string LanguageFilePath(const std::string& programDirectory, const std::string& name) {
  return programDirectory + "lang/" + name + std::string(kExtension);
}

FileResult LoadLanguage(const std::string& programDirectory, const std::string& name,
                        std::vector<WindowTexts>& windows, MessageTable& messages) {
  IniFile file;
  FileResult result = IniFile::Load(LanguageFilePath(programDirectory, name), file);
  if (!result.ok) return result;
  ApplyWindowTexts(file, windows);
  ApplyMessages(file, messages);
  return result;
}

FileResult SaveLanguageTemplate(const std::string& programDirectory,
                                const std::vector<WindowTexts>& windows,
                                const MessageTable& messages) {
  std::error_code ignored;  // a folder that cannot be made shows as a write error
  std::filesystem::create_directories(programDirectory + "lang", ignored);
  return IniFile::Edit(LanguageFilePath(programDirectory, kTemplateName),
                       [&](IniFile& file) { WriteLanguageTexts(file, windows, messages); });
}

std::vector<std::string> ListLanguages(const std::string& programDirectory) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(programDirectory + "lang", error)) {
    const std::string file = entry.path().filename().string();
    if (file.size() <= kExtension.size() || entry.is_directory(error)) continue;
    const std::string_view ending = std::string_view(file).substr(file.size() - kExtension.size());
    if (EqualsIgnoreCase1252(ending, kExtension)) {
      names.push_back(file.substr(0, file.size() - kExtension.size()));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace capter
