#include "gui/Graphics.h"

#include <cmath>

#include "core/EffectBase.h"
#include "gui/BitmapControl.h"
#include "gui/Control.h"
#include "gui/ImageCache.h"
#include "gui/RectangleOps.h"

IGraphics::IGraphics(IEffectBase* plugin, int width, int height, int frameRate)
    : plugin_(plugin), width_(width), height_(height), frameRate_(frameRate) {}

// The controls go before the surface they draw into.
IGraphics::~IGraphics() {
  controls_.clear();
  surface_.reset();
}

IControl* IGraphics::Control(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return controls_[static_cast<size_t>(index)].get();
}

int IGraphics::AddControl(IControl* control) {
  if (control == nullptr) return -1;
  controls_.emplace_back(control);
  return ControlCount() - 1;
}

PIX_IBitmap* IGraphics::LoadCachedImage(int number, const char* fileName) {
  ImageCache& cache = ImageCache::Instance();
  PIX_IBitmap* image = cache.Find(number);
  if (image != nullptr) return image;
  image = LoadResourceImage(number, fileName);
  cache.Add(image, number);
  return image;
}

IImageStrip IGraphics::LoadImageStrip(int number, const char* fileName, int frameCount,
                                      bool framesHorizontal) {
  IImageStrip strip;
  strip.image = LoadCachedImage(number, fileName);
  if (strip.image != nullptr) {
    strip.width = strip.image->Width();
    strip.height = strip.image->Height();
  }
  strip.frameCount = frameCount;
  strip.framesHorizontal = framesHorizontal;
  return strip;
}

void IGraphics::SetBackgroundImage(int number, const char* fileName) {
  const IImageStrip strip = LoadImageStrip(number, fileName);
  if (strip.image == nullptr) return;
  controls_.insert(controls_.begin(),
                   std::make_unique<IBitmapControl>(plugin_, 0, 0, -1, strip, BLEND_OPAQUE));
}

void IGraphics::PrepareSurfaces() { surface_ = std::make_unique<PIX_SysBitmap>(width_, height_); }

void IGraphics::SetEditorSize(int width, int height) {
  width_ = width;
  height_ = height;
  ReleasePointer();
  controls_.clear();
  surface_.reset();
  PrepareSurfaces();
  if (plugin_ != nullptr) plugin_->EditorResized(width, height);
}

void IGraphics::ReleasePointer() {
  EndOpenGesture();
  ForgetPointer();
}

void IGraphics::ForgetPointer() {
  captured_ = -1;
  lastX_ = lastY_ = -1;
}

void IGraphics::EndOpenGesture() {
  const int param = gestureParam_;
  gestureParam_ = -1;
  if (param >= 0 && plugin_ != nullptr) plugin_->EndParameterGesture(param);
}

void IGraphics::ForwardParamToControls(int index, double value, bool normalised) {
  if (!normalised) {
    const IEffectParameter* parameter = plugin_ != nullptr ? plugin_->Parameter(index) : nullptr;
    if (parameter == nullptr) return;
    value = parameter->NormalisedOf(value);
  }
  // A value that is not a number would keep the controls dirty and reach the plug-in.
  if (std::isnan(value)) return;
  for (const auto& control : controls_) {
    if (control->ParamIdx() == index) control->ApplyValueFromPlugin(value);
    const int position = control->AuxParamPosition(index);
    if (position >= 0) control->ApplyAuxValueFromPlugin(position, value);
  }
}

bool IGraphics::FindDirtyArea(IRectangle& area) const {
  bool dirty = false;
  for (const auto& control : controls_) {
    if (!control->NeedsRedraw()) continue;
    area = Union(area, control->Rect());
    dirty = true;
  }
  return dirty;
}

bool IGraphics::RedrawArea(const IRectangle& area) {
  if (controls_.empty()) return true;
  if (surface_ == nullptr) return false;
  clip_ = area;
  for (const auto& control : controls_) {
    if (!control->IsHidden() && Intersects(area, control->Rect())) control->Render(*this);
    control->MarkDrawn();
  }
  // Drawing happens only within a pass.
  clip_ = {0, 0, 0, 0};
  return PresentRegion(area);
}
