#pragma once
// Twips, the forms' unit of length: 1440 to the inch, whatever the screen.
namespace quillet {

constexpr double kTwipsPerInch = 1440.0;

// Twips per screen pixel for a screen of the given logical pixels per inch.
double TwipsPerPixel(int logicalPixelsPerInch);

// Twips to whole pixels, to the nearest.
int TwipsToPixels(double twips, double twipsPerPixel);

}  // namespace quillet
