#pragma once

namespace plandeck {

// Colours here are red + 256 x green + 65536 x blue, as the option and category files store them.

// How far apart two colours are for the eye: (L1 + 0.05) / (L2 + 0.05) of their relative luminances, the
// lighter one over the darker, from 1 (the same) to 21 (black on white).
double ContrastRatio(long first, long second);

// The least contrast text needs to be read easily on its background.
inline constexpr double ReadableContrast = 4.5;

// The colour to write text in on `background`: the user's `preferred` colour when it stands out enough,
// otherwise black or white, whichever stands out more. No colour a user picks can hide the text.
long ReadableTextColour(long preferred, long background);

} // namespace plandeck
