#pragma once

// Marks the classes and functions that the Quoria shared library exports.
// The library is built with hidden visibility, so anything without this
// macro stays internal. QUORIA_BUILDING is defined only while the library
// itself is compiled; QUORIA_STATIC lets the sources be built as a static
// library without import decorations.
#if defined(QUORIA_STATIC)
#define QUORIA_API
#elif defined(_WIN32) || defined(__CYGWIN__)
#if defined(QUORIA_BUILDING)
#define QUORIA_API __declspec(dllexport)
#else
#define QUORIA_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define QUORIA_API __attribute__((visibility("default")))
#else
#define QUORIA_API
#endif
