#pragma once
// A block font for the result box of the terminal window.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr int kBigLetterRows = 5;

// The text in large letters, kBigLetterRows rows of equal width, or nullopt when a character of
// it has no large form (letters A, C, E, F, I, K, L, O, P, R, S, T and the blank; either case).
std::optional<std::vector<std::string>> BigLetters(std::string_view text);

}  // namespace korvane
