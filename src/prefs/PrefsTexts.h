#pragma once
// The messages of the preferences dialogs. The reserved-key and range texts are the ones users
// of earlier versions know; the others are our own, for input those versions took silently.
namespace quarry::prefstexts {

inline constexpr const char* kReservedAdd = "Cannot add key assignment because it is reserved for the application.";
inline constexpr const char* kReservedDelete =
    "Cannot delete key assignment because it is reserved for the application.";
inline constexpr const char* kReservedEdit = "Cannot edit key assignment because it is reserved for the application.";
inline constexpr const char* kNoKey = "Press the key combination to assign first.";

inline constexpr const char* kEmptyWord = "Enter the word to replace.";
// %s: the word.
inline constexpr const char* kDuplicateWord = "\"%s\" is in the list already; choose it and press Replace to change it.";
inline constexpr const char* kEmptyTemplateName = "A code template needs a name.";
// %s: the name.
inline constexpr const char* kDuplicateTemplate =
    "A template named \"%s\" exists already; choose it and press Replace to change it.";
inline constexpr const char* kNothingChosen = "Choose an entry in the list first.";

}  // namespace quarry::prefstexts
