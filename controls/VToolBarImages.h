/// \class VToolBarImages
/// Toolbar images whose inactive images are drawn faded, so that a toolbar's buttons stand out in full colour
/// only under the mouse.
///
/// \code{.cpp}
/// VToolBarImages m_images;
/// m_images.SetImageSize(CSize(16, 16));
/// m_images.Load(IDB_TOOLBAR);
/// CMFCToolBar::SetUserImages(&m_images);
/// \endcode
#pragma once

#include <afxtoolbarimages.h>

#include "core/PardalinApi.h"

class PARDALIN_API VToolBarImages : public CMFCToolBarImages
{
public:
    // Construction
    /// Empty images, with fading of inactive images turned on.
    VToolBarImages();
    /// Nothing beyond the framework's clean-up of the images.
    ~VToolBarImages() override;
};
