// Drawing into custom-drawn items and offscreen images, and icons from resources. The
// host records every operation so its effect can be checked.
#pragma once

#include "ADMTypes.h"

#define kADMDrawerSuite "ADM Drawer Suite"
#define kADMDrawerSuiteVersion 5

struct ADMDrawerSuite {
    // The item's local rectangle (origin 0, 0) or the offscreen image's.
    ASErr (*GetBoundsRect)(ADMDrawerRef drawer, ADMRect* rect);
    ASErr (*SetADMColor)(ADMDrawerRef drawer, int32_t color);  // kADMBlackColor, ...
    ASErr (*SetRGBColor)(ADMDrawerRef drawer, const ADMRGBColor* color);
    ASErr (*DrawRect)(ADMDrawerRef drawer, const ADMRect* rect);
    ASErr (*FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
    ASErr (*DrawSunkenRect)(ADMDrawerRef drawer, const ADMRect* rect);
    ASErr (*DrawRaisedRect)(ADMDrawerRef drawer, const ADMRect* rect);
    ASErr (*DrawLine)(ADMDrawerRef drawer, ADMPoint from, ADMPoint to);
    ASErr (*DrawADMImage)(ADMDrawerRef drawer, ADMImageRef image, ADMPoint topLeft);
    ASErr (*DrawIcon)(ADMDrawerRef drawer, ADMIconRef icon, ADMPoint topLeft);

    // Offscreen images: null when the host cannot make one.
    ADMImageRef (*CreateOffscreen)(int32_t width, int32_t height);
    ASErr (*DestroyOffscreen)(ADMImageRef image);
    ADMDrawerRef (*BeginADMDrawer)(ADMImageRef image);
    ASErr (*EndADMDrawer)(ADMImageRef image);

    // An icon from the plug-in's picture resources; null when there is no such picture.
    ADMIconRef (*GetIconFromResource)(SPPluginRef plugin, int32_t iconID);
    ASErr (*DestroyIcon)(ADMIconRef icon);
};
