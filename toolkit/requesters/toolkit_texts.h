// The toolkit's own labels and messages: one built-in text in six languages.
//
// Form of the text: a line "<xx>" starts the language with the two-letter
// code xx; a line "[name" starts the section `name` (a closing "]" is
// allowed); every following line that begins with a double quote is one text,
// the rest of the line after the quote. Lines end with CR LF (LF or a lone CR
// are accepted too). Texts of a section are addressed by their index from 0.
//
// Selection: the block of the toolkit language (ToolkitLanguage), else "en",
// else the first block.
#pragma once

#include <string>
#include <vector>

enum class TextError {
   none,
   no_text,      // "No textfile found"
   no_language,  // "Requested textfile contains no language"
   no_section,   // "Section '%s' was not found in textfile"
};

// Reads the texts of `section` from `collection` for `language` (with the
// fallbacks above) into `texts`. On error `texts` is left empty.
TextError ReadTextSection(const char *collection, const char *language, const char *section,
                          std::vector<std::string> &texts);

// The built-in collection (languages en, se, pl, hu, es, fr; sections clock,
// file_import_query, filebrow, filebuff, filedial, graphini, obtext).
const std::string &BuiltInToolkitText(void);

// The section in the toolkit language from the built-in collection. Errors
// are reported with ReportMessage and give an empty list.
std::vector<std::string> ToolkitTexts(const char *section);

// Number of texts the file selector needs in "filebrow".
inline constexpr std::size_t FILEBROW_TEXTS = 62;

// "filebrow" as the file selector uses it: ToolkitTexts("filebrow"), or 62
// texts that all read "??" when fewer are found.
std::vector<std::string> FileBrowserTexts(void);

// Halves of the built-in collection, joined by BuiltInToolkitText.
extern const char *const kToolkitTextsWest;  // en, se, fr
extern const char *const kToolkitTextsEast;  // pl, hu, es
