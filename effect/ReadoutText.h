#pragma once
// The text a read-out of the editor shows for a level in dB: at most five characters of
// the editor's bitmap font, in which "#$" draws an infinity sign.

constexpr int kReadoutTextSize = 8;

// Writes the text for db into text, which holds kReadoutTextSize bytes.
void FormatReadoutText(double db, char* text);
