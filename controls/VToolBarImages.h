// VToolBarImages: toolbar images whose inactive images are drawn faded, so that a toolbar's buttons stand
// out in full colour only under the mouse.
//
//     VToolBarImages m_images;
//     m_images.SetImageSize(CSize(16, 16));
//     m_images.Load(IDB_TOOLBAR);
//     CMFCToolBar::SetUserImages(&m_images);
#pragma once

#include <afxtoolbarimages.h>

#include "core/PardalinApi.h"

class PARDALIN_API VToolBarImages : public CMFCToolBarImages
{
public:
    // Construction
    VToolBarImages();
    ~VToolBarImages() override;
};
