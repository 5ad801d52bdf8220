// SecretText: fixed storage that never keeps a stale byte of typed text.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <string>

#include "lock/SecretText.h"

namespace {

bool AllZero(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (bytes[i] != 0) return false;
    return true;
}

TEST(SecretText, StartsEmpty) {
    SecretText text;
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text.size(), 0u);
    EXPECT_EQ(text.view(), "");
}

TEST(SecretText, HoldsWhatItIsGiven) {
    SecretText text("h\xC3\xA9llo");  // UTF-8 bytes are kept as they are
    EXPECT_EQ(text.view(), "h\xC3\xA9llo");
    EXPECT_EQ(text.size(), 6u);
}

TEST(SecretText, CopiesAreEqualAndIndependent) {
    SecretText original("one");
    SecretText copy(original);
    EXPECT_EQ(copy, original);
    copy.assign("two");
    EXPECT_EQ(original.view(), "one");
    EXPECT_NE(copy, original);
    SecretText assigned;
    assigned = original;
    EXPECT_EQ(assigned.view(), "one");
}

TEST(SecretText, SelfAssignmentKeepsTheText) {
    SecretText text("same");
    const SecretText& alias = text;
    text = alias;
    EXPECT_EQ(text.view(), "same");
}

TEST(SecretText, EqualityComparesTheWholeText) {
    EXPECT_EQ(SecretText("ab"), SecretText("ab"));
    EXPECT_NE(SecretText("ab"), SecretText("ab "));
    EXPECT_NE(SecretText("ab"), SecretText("a"));
    EXPECT_NE(SecretText("ab"), SecretText("AB"));
    EXPECT_EQ(SecretText(), SecretText(""));
}

TEST(SecretText, WipeZeroesEveryByte) {
    SecretText text(std::string(SecretText::kCapacity, 'x'));
    text.wipe();
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(AllZero(text.data(), SecretText::kCapacity));
}

TEST(SecretText, AShorterAssignmentLeavesNoTailOfTheOldText) {
    SecretText text("longpassword");
    text.assign("ab");
    EXPECT_EQ(text.view(), "ab");
    EXPECT_TRUE(AllZero(text.data() + 2, SecretText::kCapacity - 2));
}

TEST(SecretText, AssignmentFromACopyLeavesNoTailEither) {
    SecretText text("longpassword");
    text = SecretText("xy");
    EXPECT_TRUE(AllZero(text.data() + 2, SecretText::kCapacity - 2));
}

TEST(SecretText, DestructionWipesTheStorage) {
    alignas(SecretText) unsigned char storage[sizeof(SecretText)];
    SecretText* text = new (storage) SecretText("hunter2");
    const std::size_t offset = static_cast<std::size_t>(
        reinterpret_cast<const unsigned char*>(text->data()) - storage);
    text->~SecretText();
    EXPECT_TRUE(AllZero(reinterpret_cast<const char*>(storage) + offset, SecretText::kCapacity));
}

TEST(SecretText, AssignTruncatesToTheCapacity) {
    const std::string longText(SecretText::kCapacity + 40, 'q');
    SecretText text(longText);
    EXPECT_EQ(text.size(), SecretText::kCapacity);
    EXPECT_EQ(text.view(), longText.substr(0, SecretText::kCapacity));
}

TEST(SecretText, HoldsSixteenFourByteCharacters) {
    std::string text;
    for (int i = 0; i < 16; ++i) text += "\xF0\x9F\x94\x92";
    EXPECT_EQ(SecretText(text).view(), text);
}

TEST(SecretText, AppendAddsAllOrNothing) {
    SecretText text(std::string(SecretText::kCapacity - 3, 'a'));
    EXPECT_FALSE(text.append("bcde"));
    EXPECT_EQ(text.size(), SecretText::kCapacity - 3);
    EXPECT_TRUE(text.append("bcd"));
    EXPECT_EQ(text.size(), SecretText::kCapacity);
    EXPECT_EQ(text.view().substr(text.size() - 3), "bcd");
    EXPECT_FALSE(text.append("e"));
    EXPECT_TRUE(text.append(""));
}

TEST(SecretText, WipeBytesTouchesOnlyTheGivenRange) {
    char bytes[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    WipeBytes(bytes + 2, 4);
    EXPECT_EQ(std::string(bytes, 8), std::string("ab\0\0\0\0gh", 8));
}

}  // namespace
