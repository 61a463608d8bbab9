// PNG files for the help: small enough for the compiled help files, the
// same bytes for the same picture.
#pragma once

#include <QImage>
#include <QString>

namespace rovanta::shots {

/// The largest a screenshot may grow before it loses colours.
inline constexpr qsizetype kMaxPngBytes = 150 * 1024;

/// Writes `image` as PNG: pictures with transparency as they are, opaque
/// ones with a palette when that loses nothing, reduced to 256 colours only
/// when the full-colour file would exceed kMaxPngBytes. False when the file
/// cannot be written.
bool writePng(const QImage& image, const QString& path);

} // namespace rovanta::shots
