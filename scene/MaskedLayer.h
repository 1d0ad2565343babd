#pragma once
#include "assets/Image.h"

// A picture (a cloud layer, the rings) with its mask as alpha, so that one texture
// fetch gives both: the picture's colour and the mask's red channel, sampled at the
// nearest texel where the mask's size differs. The pixels come from malloc (the caller
// frees them); an image without pixels when either picture has none or memory runs out.
Image maskedLayer(const Image& layer, const Image& mask);
