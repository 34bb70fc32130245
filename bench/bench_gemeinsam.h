#pragma once

#include <QString>

// Pieces every benchmark shares.

// The photo-like test JPEG of the given size (noisy plasma, quality 92, 4:2:0), made with
// ImageMagick into <build>/bench-data/ the first time and reused after. Empty on failure.
QString BenchFoto(int breite, int hoehe, int saat);

// Huffman decoding of the whole file without storing coefficients or running the inverse
// DCT (jpeg_skip_scanlines over all rows but the last): the floor of any exact decode. With
// `koeffizienten`, jpeg_read_coefficients instead, which also fills the whole coefficient
// array. Returns 0, or 2 when the file cannot be opened.
int Entropiedekodieren(const QString &pfad, bool koeffizienten = false);
