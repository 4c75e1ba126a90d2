#pragma once

#include <span>

// Word lists from which bmtool seed makes plausible rows.
namespace SeedWords {

std::span<const char* const> firstNames();
std::span<const char* const> lastNames();
std::span<const char* const> companyWords();
std::span<const char* const> companySuffixes();
std::span<const char* const> jobTitles();
std::span<const char* const> streets();
std::span<const char* const> cities();
std::span<const char* const> departments();
std::span<const char* const> issueSubjects();
std::span<const char* const> issueObjects();
std::span<const char* const> sentences();
std::span<const char* const> salutations();

// Category lists to create: type code and items.
struct CategoryList {
    int type;
    std::span<const char* const> items;
};
std::span<const CategoryList> categoryLists();

} // namespace SeedWords
