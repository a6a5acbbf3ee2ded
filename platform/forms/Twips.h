#pragma once

namespace forms {

// Design geometry is in twips, 1440 to the logical inch: 15 to a pixel at 96 DPI.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

} // namespace forms
