// The quote rule and the I/l rules of the three languages.
#include <gtest/gtest.h>

#include "base/i_and_l_rules.h"
#include "tests/text/text_test_support.h"
#include "text/post_ocr_correction.h"

namespace capter {
namespace {

using testing::Entry;

std::string English(const std::string& line, char context = '.') {
  return CorrectIAndL(line, context, CorrectionLanguage::English);
}

TEST(QuoteRule, MergesPairsWithoutReusingTheirSecondCharacter) {
  EXPECT_EQ(MergeDoubledQuotes("''Hi''"), "\"Hi\"");
  EXPECT_EQ(MergeDoubledQuotes("'''"), "\"'");
  EXPECT_EQ(MergeDoubledQuotes("''''"), "\"\"");
  EXPECT_EQ(MergeDoubledQuotes("\"\"x"), "\"x");
  EXPECT_EQ(MergeDoubledQuotes("'\"'"), "'\"'");
  EXPECT_EQ(MergeDoubledQuotes(""), "");
}

TEST(IAndLRules, EnglishExamples) {
  EXPECT_EQ(English("lt was me"), "It was me");
  EXPECT_EQ(English("l'm here"), "I'm here");
  EXPECT_EQ(English("WILL"), "WILL");
  EXPECT_EQ(English("hello"), "hello");
  EXPECT_EQ(English("Iittle", ','), "little");
  EXPECT_EQ(English("Iittle"), "Iittle");  // line-initial in a first line
  EXPECT_EQ(English("ls it?", ','), "ls it?");
  EXPECT_EQ(English("ls it?", '.'), "Is it?");
  EXPECT_EQ(English("so l said"), "so I said");
  EXPECT_EQ(English("\"lt is"), "\"It is");
  EXPECT_EQ(English(""), "");
}

TEST(IAndLRules, LanguagesDiffer) {
  // French "Il" as a word: condition 9 restores it.
  EXPECT_EQ(CorrectIAndL("oui Il est", '.', CorrectionLanguage::French), "oui Il est");
  // A lone l is a word in English, not in French.
  EXPECT_EQ(CorrectIAndL("a l b", '.', CorrectionLanguage::French), "a l b");
  EXPECT_EQ(English("a l b"), "a I b");
  EXPECT_EQ(CorrectIAndL("lch bin", ',', CorrectionLanguage::German), "Ich bin");
  EXPECT_EQ(English("lch bin", ','), "lch bin");
  EXPECT_EQ(CorrectIAndL("\"lt", ',', CorrectionLanguage::German), "\"lt");
}

TEST(IAndLRules, EveryLanguageDecidesOnlyTheGivenPositions) {
  const auto decide = [](std::string line, char context, std::vector<size_t> positions) {
    DecideIAndL(line, context, IAndLRules::EveryLanguage, positions);
    return line;
  };
  EXPECT_EQ(decide("a l b", ',', {2}), "a I b");    // a one-letter word
  EXPECT_EQ(decide("l'ami", ',', {0}), "l'ami");    // French stays French
  EXPECT_EQ(decide("lt was", ',', {0}), "lt was");  // no English-only rule
  EXPECT_EQ(decide("lt was", '.', {0}), "It was");
  // Only the listed letters change; the others are neighbours as read.
  EXPECT_EQ(decide("NormaI IIl", ',', {5}), "Normal IIl");
  EXPECT_EQ(decide("Il lI", ',', {1, 4}), "Il ll");
}

TEST(PostOcrCorrection, RunsOverEveryLineWithTheLineBeforeAsContext) {
  SubtitleTable table;
  table.Append(Entry({}, {}, {"He said ''lt's me''.", "ls it?", "", "lt is."}));
  table.Append(Entry({}, {}, {"WILL, l", "ls"}));
  PostOcrCorrection choice;
  choice.correctIAndL = true;
  EXPECT_TRUE(ApplyPostOcrCorrection(table, choice));
  EXPECT_EQ(table.At(1).lines[0], "He said \"It's me\".");
  EXPECT_EQ(table.At(1).lines[1], "Is it?");
  EXPECT_EQ(table.At(1).lines[2], "");
  EXPECT_EQ(table.At(1).lines[3], "It is.");  // after an empty line, as a first line
  EXPECT_EQ(table.At(2).lines[0], "WILL, I");
  EXPECT_EQ(table.At(2).lines[1], "ls");  // after "I": no rule applies
}

TEST(PostOcrCorrection, OnlyQuotesLeavesIAndLAlone) {
  SubtitleTable table;
  table.Append(Entry({}, {}, {"lt ''Is'' l"}));
  EXPECT_TRUE(ApplyPostOcrCorrection(table, PostOcrCorrection{}));
  EXPECT_EQ(table.At(1).lines[0], "lt \"Is\" l");
  EXPECT_FALSE(ApplyPostOcrCorrection(table, PostOcrCorrection{false, false}));
}

}  // namespace
}  // namespace capter
