#pragma once
// The scenario file's layout. Files of every earlier version read alike, so
// none of this may change:
//
//   # Lumivane scenario
//
//   [Scene1]
//   name=Opening
//   fade=12
//   hold=2.5                   one decimal, always with "." (HoldTime::FileText)
//   to-column=1                0 when "To" is hidden
//   columns=40 40 50 40 300    the widths of the five columns
//   range1=1:4; 215; 3; front  from:to; colour; blink[; description]
//
//   [Inputs]
//   input1=0                   input1 .. input4
//
//   [Palette]
//   colour1=255 0 0            only the custom colours that are set
#include <cstddef>
#include <string_view>

inline constexpr std::string_view SCENARIO_FIRST_LINE = "# Lumivane scenario\n";
// Sections "Scene1" .. "Scene64"; keys "range1", "input1", "colour1" and on.
inline constexpr std::string_view SCENARIO_SECTION_SCENE = "Scene";
inline constexpr std::string_view SCENARIO_SECTION_INPUTS = "Inputs";
inline constexpr std::string_view SCENARIO_SECTION_PALETTE = "Palette";
inline constexpr std::string_view SCENARIO_KEY_NAME = "name";
inline constexpr std::string_view SCENARIO_KEY_FADE = "fade";
inline constexpr std::string_view SCENARIO_KEY_HOLD = "hold";
inline constexpr std::string_view SCENARIO_KEY_TO_COLUMN = "to-column";
inline constexpr std::string_view SCENARIO_KEY_COLUMNS = "columns";
inline constexpr std::string_view SCENARIO_KEY_RANGE = "range";
inline constexpr std::string_view SCENARIO_KEY_INPUT = "input";
inline constexpr std::string_view SCENARIO_KEY_COLOUR = "colour";

// Between the numbers of a range line, and before its description.
inline constexpr std::string_view SCENARIO_RANGE_SEPARATOR = "; ";

// The INI reader takes a line in pieces of at most 511 bytes, each read as
// a line of its own. Every line the writer makes, newline included, fits in
// one piece, so that no part of a long name or description can be read as
// a key or a section of its own.
constexpr size_t SCENARIO_MAX_LINE = 511;

// A width far beyond any screen; larger widths in a file are taken as this.
constexpr long SCENARIO_MAX_COLUMN_WIDTH = 10000;
