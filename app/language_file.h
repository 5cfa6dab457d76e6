// Language files "lang/<name>.lng": texts of the windows (captions, hints,
// edit texts, radio-group items, menu captions) addressed by window and
// control names, and the message table's entries "MsgStr_N" in section
// "Messages". The windows describe their texts as WindowTexts; a language
// file changes the texts it names in those descriptions, which the windows
// then show. The template writer does the reverse.
#pragma once

#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/ini_file.h"
#include "base/message_table.h"

namespace capter {

// Only these kinds of control take part; everything else (spin edits,
// numeric edits, check-list boxes, panels, combo boxes) keeps its texts.
enum class ControlKind {
  Label,
  Edit,  // single-line edit: its text
  Button,
  BitButton,
  FlatButton,  // hint only
  RadioButton,
  RadioGroup,  // caption, hint and items
  CheckBox,
  GroupBox,
  TabSheet,
  MainMenu,  // menu items only
  PopupMenu,
  Other,
};

struct MenuItemTexts {
  std::string name;
  std::string caption;
  std::vector<MenuItemTexts> items;  // sub-items, in item order

  friend bool operator==(const MenuItemTexts&, const MenuItemTexts&) = default;
};

struct ControlTexts {
  ControlKind kind = ControlKind::Other;
  std::string name;
  std::string caption;
  std::string hint;
  std::string text;                 // single-line edits
  std::vector<std::string> items;   // radio groups
  std::vector<MenuItemTexts> menu;  // main and pop-up menus: top-level items

  friend bool operator==(const ControlTexts&, const ControlTexts&) = default;
};

struct WindowTexts {
  std::string name;  // e.g. "Form1"; a window without a name is left alone
  std::string caption;
  std::vector<ControlTexts> controls;  // in creation order

  friend bool operator==(const WindowTexts&, const WindowTexts&) = default;
};

// Replaces every text whose key exists in `file`; texts the file does not
// name keep their values. Radio-group items are changed only for indices the
// group has.
void ApplyWindowTexts(const IniFile& file, std::vector<WindowTexts>& windows);

// MsgStr_0, MsgStr_1, ... up to the first key that is missing or empty: an
// index within the table replaces its entry, one beyond it is appended.
void ApplyMessages(const IniFile& file, MessageTable& messages);

// Writes every key of the windows (hints only when not empty, menus
// depth-first) and then MsgStr_0 .. MsgStr_(count - 1).
void WriteLanguageTexts(IniFile& file, const std::vector<WindowTexts>& windows,
                        const MessageTable& messages);

// programDirectory + "lang/" + name + ".lng".
std::string LanguageFilePath(const std::string& programDirectory, const std::string& name);

// Applies a language file. A missing file changes nothing and is no error.
FileResult LoadLanguage(const std::string& programDirectory, const std::string& name,
                        std::vector<WindowTexts>& windows, MessageTable& messages);

// Writes the template "lang/New_LangFile.lng" (keeping what the file already
// holds); the "lang" folder is created when missing. Errors name the file.
FileResult SaveLanguageTemplate(const std::string& programDirectory,
                                const std::vector<WindowTexts>& windows,
                                const MessageTable& messages);

// The names of the language files in programDirectory + "lang/": every
// file whose name ends in ".lng" (any letter case), without that ending,
// sorted. A missing folder gives none.
std::vector<std::string> ListLanguages(const std::string& programDirectory);

}  // namespace capter
