#include "controls/VToolBarImages.h"

VToolBarImages::VToolBarImages()
{
    m_bFadeInactive = TRUE;
}

VToolBarImages::~VToolBarImages() = default;
