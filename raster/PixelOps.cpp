#include "raster/PixelOps.h"

#include "raster/BlendMath.h"
#include "raster/Hsv.h"

using namespace pix;

void PIX_StoreClamped(PIX_PixelValue* pixel, int red, int green, int blue, int alpha) {
  *pixel = MakePixel(Clamp255(blue), Clamp255(green), Clamp255(red), Clamp255(alpha));
}

void PIX_DodgePixel(PIX_PixelValue* pixel, int red, int green, int blue, int alpha,
                    int weight) {
  const PIX_PixelValue p = *pixel;
  PIX_StoreClamped(pixel, DodgeChannelRaw(Red(p), DodgeDivisor(red, weight)),
                   DodgeChannelRaw(Green(p), DodgeDivisor(green, weight)),
                   DodgeChannelRaw(Blue(p), DodgeDivisor(blue, weight)),
                   DodgeChannelRaw(Alpha(p), DodgeDivisor(alpha, weight)));
}

void PIX_OverlayPixel(PIX_PixelValue* pixel, int red, int green, int blue, int alpha,
                      int weight) {
  const PIX_PixelValue p = *pixel;
  PIX_StoreClamped(pixel, OverlayChannelRaw(Red(p), OverlayTerm(red, weight)),
                   OverlayChannelRaw(Green(p), OverlayTerm(green, weight)),
                   OverlayChannelRaw(Blue(p), OverlayTerm(blue, weight)),
                   OverlayChannelRaw(Alpha(p), OverlayTerm(alpha, weight)));
}

void PIX_HsvAdjustPixel(PIX_PixelValue* pixel, int red, int green, int blue, int alpha,
                        int weight) {
  const PIX_PixelValue p = *pixel;
  const PIX_Hsv hsv = PIX_RgbToHsv(Red(p), Green(p), Blue(p));
  const int hue = WrapHue(hsv.hue + HueShift(red, weight));
  const int saturation = Clamp255(hsv.saturation + HsvShift(green, weight));
  const int value = Clamp255(hsv.value + HsvShift(blue, weight));
  *pixel = PIX_HsvToPixel(hue, saturation, value, alpha);
}
