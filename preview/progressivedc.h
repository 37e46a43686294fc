// A progressive JPEG too large to hold whole, read at 1/8 of its size.
#pragma once

#include "preview/jpegpicture.h"

#include <cstdint>
#include <functional>

class QIODevice;

namespace tintora {

// libjpeg keeps a progressive picture's coefficients whole and at full size whatever scale
// it is asked for, so it refuses such a picture over kJpegMemoryBudget at 1/2 and 1/8 alike.
// Its first (DC) coefficients alone are the picture at 1/8: each 8 x 8 block's mean. 1/2 and
// 1/4 would need every coefficient, so 1/8 is the only size this reader offers.
//
// Reads a Huffman-coded progressive (SOF2) grayscale or three-component picture from the
// device, decoding its DC scans and skipping its AC scans' data, one 16-bit value a block.
// Hands begin(width, height) the picture at 1/8, ceil(W/8) x ceil(H/8) as libjpeg's
// scale_denom 8 makes it, then its rows top to bottom to take(rgb), 3 bytes a pixel: the
// pixels libjpeg gives at that scale wherever its chroma upsampling reads no AC
// coefficient (grayscale, colour at full resolution, 4:2:2; 4:2:0 where each chroma block
// is flat). On failure *error (if given) holds the reason: OverBudget for a picture this
// reader cannot take either (arithmetic coding, four components, blocks beyond the
// budget), the others as LoadJpegScaled words them. The watch follows and may stop it
// as it follows LoadJpegScaled, with the same bound on work.
bool ReadProgressiveDc(QIODevice &device, JpegError *error, JpegWatch *watch,
                       const std::function<void(int width, int height)> &begin,
                       const std::function<void(const std::uint8_t *rgb)> &take);

}  // namespace tintora
