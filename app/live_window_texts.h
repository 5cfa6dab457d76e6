// The texts of live windows as language files address them: each window's
// caption and, for every named control of a taking-part kind in creation
// order, its caption, hint, edit text, radio-group items or menu captions.
// The kind is the control's exact class, so derived kinds (numeric edits,
// spin boxes, text panels) keep their texts, as language files expect.
#pragma once

#include <QList>
#include <QWidget>
#include <vector>

#include "app/language_file.h"

namespace capter {

// The kind a language file knows `object` as (Other: it takes no part).
ControlKind KindOf(const QObject& object);

WindowTexts CollectWindowTexts(const QWidget& window);
// Shows `texts` in `window` (controls matched by name and kind).
void ShowWindowTexts(QWidget& window, const WindowTexts& texts);

// Applies a language file to the windows, in order (nullptr entries: windows
// not built), and to the message table. A missing file changes nothing.
FileResult ApplyLanguageToWindows(const std::string& programDirectory, const std::string& name,
                                  const QList<QWidget*>& windows);
// Writes the template "lang/New_LangFile.lng" from the windows' texts.
FileResult SaveLanguageTemplateOf(const std::string& programDirectory,
                                  const QList<QWidget*>& windows);

}  // namespace capter
