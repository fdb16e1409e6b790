#include "gui/BlendSpec.h"

#include "raster/CombineMode.h"

int CombineModeFor(IBlendMethod method) {
  switch (method) {
    case BLEND_OPAQUE:
      return PIX_COMBINE_COPY;
    case BLEND_ADD:
      return PIX_COMBINE_SOURCE_ALPHA | PIX_COMBINE_ADD;
    case BLEND_DODGE:
      return PIX_COMBINE_SOURCE_ALPHA | PIX_COMBINE_DODGE;
    default:
      return PIX_COMBINE_SOURCE_ALPHA | PIX_COMBINE_COPY;
  }
}
