#pragma once
// Window layouts are text resources, one control a line, nesting by indentation (two
// blanks a level):
//
//   # comment
//   tMainForm: form client=685,400 colour=red font=Tahoma,15,white OnCreate=FormCreate
//     AdvPanel1: gradientpanel bounds=0,0,185,400 colour=#FF4D00 colourto=maroon
//       Label14: label at=42,165 caption="INSTALLING" font=Tahoma,16,bold,white
//
// A line is "name: kind" followed by key=value properties. A value is a bare word or a
// double-quoted text in which \" and \\ stand for themselves, \n for a line feed and \xHH
// for one byte given in hex (the texts are in the ANSI code page).
// Positions are pixels at 96 DPI: bounds=left,top,width,height, or at=left,top for labels
// that size themselves to their text. The parser only checks the syntax; what a kind does
// with its properties is the control layer's business.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/form_view.h"
#include "util/bytes.h"

namespace tarnwick {

struct FontSpec {
  std::string face = "Tahoma";
  int height = 11;  // character height in pixels
  bool bold = false;
  Colour colour = 0x000000;
};

struct ControlSpec {
  std::string name;
  std::string kind;
  std::map<std::string, std::string> props;
  std::vector<ControlSpec> children;
  int line = 0;

  bool Has(const std::string& key) const { return props.count(key) != 0; }
  std::string Get(const std::string& key, const std::string& fallback = "") const;
  int GetInt(const std::string& key, int fallback) const;
  // bounds=l,t,w,h, else at=l,t with width and height 0, else client=w,h at 0,0.
  Rect GetBounds() const;
  std::optional<Colour> GetColour(const std::string& key) const;
  // font=Face,height[,bold][,colour]; missing parts come from `inherited`.
  FontSpec GetFont(const FontSpec& inherited) const;
  // Depth-first search for a control by name, this one included; nullptr when absent.
  const ControlSpec* Find(const std::string& controlName) const;
};

// Parses a layout; raises tarnwick::Exception naming the line on a syntax error.
ControlSpec ParseLayout(const Bytes& text);

// "red", "maroon", ... (the form library's colour names) or "#RRGGBB".
std::optional<Colour> ParseColour(const std::string& text);

}  // namespace tarnwick
