// The indexed message texts that message boxes and dialog titles are composed
// from. Built with the English texts; a language file replaces entries by
// index and may append more. Texts are Windows-1252 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace capter {

class MessageTable {
 public:
  MessageTable() { BuildDefaultMessages(); }

  // Clears the table and adds the 61 built-in entries in index order.
  void BuildDefaultMessages();

  // Entry `index`; an index past the end gives an empty text.
  const std::string& GetMessage(size_t index) const;

  // Replaces entry `index`, or appends when `index` is the table's length.
  void Set(size_t index, std::string text);

  size_t Size() const { return entries_.size(); }

 private:
  std::vector<std::string> entries_;
};

// The table every part of the program composes its messages from.
MessageTable& Messages();

}  // namespace capter
