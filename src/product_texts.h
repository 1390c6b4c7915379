#pragma once
// The product's own words, shared by the windows, the installation run and the DOSBox
// set-up. (The version resource takes the same values from resources/product.h.)
namespace tarnwick {

inline constexpr char kProductName[] = "Tarnwick";
inline constexpr char kProductVersion[] = "3.24";
inline constexpr char kProductMark[] = "X9";        // the icon the user clicks
inline constexpr char kHostFunctionKey[] = "F4";    // starts Tarnwick from inside Ostramo
// Captions the box in which the application reports an error that no handler caught.
inline constexpr char kApplicationTitle[] = "Tarnwick Installer Version 3.24";

}  // namespace tarnwick
