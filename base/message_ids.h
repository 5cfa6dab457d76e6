// The message table's entries by name: every message box and dialog title
// fetches its text with one of these, never with a bare number. The numbers
// are the entries' indices, which language files address as MsgStr_N.
#pragma once

#include <cstddef>

namespace capter {

enum MessageId : size_t {
  kMsgMaxCharacters = 0,
  kMsgOneMatrixPerDvd = 1,
  kMsgMatrixEmpty = 2,
  kMsgMatrixFilePrefix = 3,
  kMsgMatrixAlreadyExists = 4,
  kMsgNotAMatrix = 5,
  kMsgCharacterMatrix = 6,
  kMsgHasBeenModified = 7,
  kMsgSaveIt = 8,
  kMsgQuitTextNotSaved = 9,
  kMsgReallyQuit = 10,
  kMsgTextFilePrefix = 11,
  kMsgTextAlreadyExists = 12,
  kMsgOpenTextNotSaved = 13,
  kMsgReallyOpenAnother = 14,
  kMsgErrorAtSubtitle = 15,
  kMsgIgnoreAndContinue = 16,
  kMsgClearTextNotSaved = 17,
  kMsgReallyClear = 18,
  kMsgDeleteCharacter = 19,
  kMsgDeleteCharacterEnd = 20,
  kMsgTextNotEmpty = 21,
  kMsgAddToEnd = 22,
  kMsgSplitEnabled = 23,
  kMsgSplitMayHide = 24,
  kMsgNoVobSelected = 25,
  kMsgBadHeader = 26,
  kMsgContinueReading = 27,
  kMsgCantOpen = 28,
  kMsgMightBeCrypted = 29,
  kMsgTryDecrypting = 30,
  kMsgTimeCodeWarning = 31,
  kMsgReducedToZero = 32,
  kMsgContinueNoUndo = 33,
  kMsgMinusStretch = 34,
  kMsgLargerThanTotal = 35,
  kMsgPaletteIndexTwice = 36,
  kMsgStopBeforeStart = 37,
  kMsgSaveBmpsTitle = 38,
  kMsgSaveSupsTitle = 39,
  kMsgSaveAsBmpNumber = 40,
  kMsgSaveAsSupNumber = 41,
  kMsgEnterBeginning = 42,
  kMsgSaveCurrentBmp = 43,
  kMsgSaveProfile = 44,
  kMsgLoadProfile = 45,
  kMsgLoadBackground = 46,
  kMsgNoMemoryToAdd = 47,
  kMsgNoMemoryToLoad = 48,
  kMsgMatrixBytes = 49,
  kMsgSearchFile = 50,
  kMsgContainCharacter = 51,
  kMsgSeemsToMatch = 52,
  kMsgOpenThisMatrix = 53,
  kMsgNoMatchingMatrix = 54,
  kMsgPlaceMatrixFilesIn = 55,
  kMsgTryAgain = 56,
  // Built in after the first 57 entries.
  kMsgLinesNotLoaded = 57,
  kMsgTableFullBegin = 58,
  kMsgTableFullEnd = 59,
};

}  // namespace capter
