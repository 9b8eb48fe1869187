// CMFCToolBarImages: the image well is a 32-bit top-down DIB section, so drawing composes pixels directly.
#include "afxtoolbarimages.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CMFCToolBarImages, CObject)

namespace afximpl
{
namespace
{
// The format of 32-bit top-down rows of cx by cy pixels (0x00RRGGBB).
BITMAPINFO TopDown32(int cx, int cy)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit top-down DIB section of cx by cy pixels and its bits; null when it cannot be made.
HBITMAP CreateWell(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO info = TopDown32(cx, cy);
    void* pBits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    *ppBits = static_cast<DWORD*>(pBits);
    return hbm;
}

// The pixels of any bitmap as 32-bit top-down rows (0x00RRGGBB); empty when they cannot be read.
std::vector<DWORD> ReadPixels(HBITMAP hbm, int cx, int cy)
{
    std::vector<DWORD> pixels(static_cast<size_t>(cx) * static_cast<size_t>(cy));
    BITMAPINFO info = TopDown32(cx, cy);
    HDC hdc = ::GetDC(nullptr);
    const int nLines = ::GetDIBits(hdc, hbm, 0, static_cast<UINT>(cy), pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (nLines != cy)
        pixels.clear();
    return pixels;
}

// COLORREF (0x00BBGGRR) and DIB pixel (0x00RRGGBB) swap red and blue.
DWORD ToPixel(COLORREF clr)
{
    return (static_cast<DWORD>(GetRValue(clr)) << 16) | (static_cast<DWORD>(GetGValue(clr)) << 8) |
           GetBValue(clr);
}

DWORD Blend(DWORD src, DWORD dst, int nSrcWeight, int nTotal)
{
    DWORD result = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        const int s = static_cast<int>((src >> shift) & 0xFF);
        const int d = static_cast<int>((dst >> shift) & 0xFF);
        result |= static_cast<DWORD>((s * nSrcWeight + d * (nTotal - nSrcWeight)) / nTotal) << shift;
    }
    return result;
}
} // namespace
} // namespace afximpl

CMFCToolBarImages::CMFCToolBarImages()
    : m_hbmImageWell(nullptr), m_sizeImage(16, 15), m_iCount(0), m_clrTransparent(static_cast<COLORREF>(-1)),
      m_bFadeInactive(FALSE)
{
}

CMFCToolBarImages::~CMFCToolBarImages()
{
    Clear();
}

SIZE CMFCToolBarImages::GetImageSize(BOOL) const
{
    return m_sizeImage;
}

void CMFCToolBarImages::SetImageSize(SIZE sizeImage, BOOL bUpdateCount)
{
    m_sizeImage = sizeImage;
    if (bUpdateCount && m_hbmImageWell != nullptr && sizeImage.cx > 0)
    {
        BITMAP bm = {};
        ::GetObjectW(m_hbmImageWell, sizeof(bm), &bm);
        m_iCount = bm.bmWidth / sizeImage.cx;
    }
}

void CMFCToolBarImages::Clear()
{
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = nullptr;
    m_iCount = 0;
}

BOOL CMFCToolBarImages::Load(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(uiResID);
    if (hinstRes == nullptr)
        hinstRes = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HBITMAP hbm =
        static_cast<HBITMAP>(::LoadImageW(hinstRes, lpszName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (hbm == nullptr)
        return FALSE;
    if (!bAdd)
        Clear();
    const int iFirst = AddImage(hbm);
    ::DeleteObject(hbm);
    return iFirst >= 0;
}

int CMFCToolBarImages::AddImage(HBITMAP hbmp, BOOL)
{
    BITMAP bm = {};
    if (hbmp == nullptr || ::GetObjectW(hbmp, sizeof(bm), &bm) == 0 || m_sizeImage.cx <= 0 ||
        m_sizeImage.cy <= 0)
        return -1;
    const int nNew = bm.bmWidth / m_sizeImage.cx;
    if (nNew <= 0 || bm.bmHeight < m_sizeImage.cy)
        return -1;
    const std::vector<DWORD> source = afximpl::ReadPixels(hbmp, bm.bmWidth, bm.bmHeight);
    if (source.empty())
        return -1;

    const int cxOld = m_iCount * m_sizeImage.cx;
    const int cxNew = cxOld + nNew * m_sizeImage.cx;
    DWORD* pBits = nullptr;
    HBITMAP hbmWell = afximpl::CreateWell(cxNew, m_sizeImage.cy, &pBits);
    if (hbmWell == nullptr)
        return -1;
    if (m_hbmImageWell != nullptr)
    {
        const std::vector<DWORD> old = afximpl::ReadPixels(m_hbmImageWell, cxOld, m_sizeImage.cy);
        for (int y = 0; y < m_sizeImage.cy && !old.empty(); ++y)
            std::copy_n(&old[static_cast<size_t>(y) * cxOld], cxOld, pBits + static_cast<size_t>(y) * cxNew);
    }
    for (int y = 0; y < m_sizeImage.cy; ++y)
        std::copy_n(&source[static_cast<size_t>(y) * bm.bmWidth], nNew * m_sizeImage.cx,
                    pBits + static_cast<size_t>(y) * cxNew + cxOld);
    ::GdiFlush();
    const int iFirst = m_iCount;
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmWell;
    m_iCount += nNew;
    return iFirst;
}

BOOL CMFCToolBarImages::Draw(CDC* pDC, int x, int y, int iImageIndex, BOOL, BOOL bDisabled, BOOL, BOOL,
                             BOOL bInactive, BYTE alphaSrc)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || iImageIndex < 0 || iImageIndex >= m_iCount)
        return FALSE;
    const int cx = m_sizeImage.cx;
    const int cy = m_sizeImage.cy;
    const std::vector<DWORD> image = afximpl::ReadPixels(m_hbmImageWell, m_iCount * cx, cy);
    if (image.empty())
        return FALSE;

    // The destination is read, composed with the image and written back, so transparent pixels, faded and
    // disabled images keep what lies under them.
    DWORD* pDest = nullptr;
    HBITMAP hbmDest = afximpl::CreateWell(cx, cy, &pDest);
    if (hbmDest == nullptr)
        return FALSE;
    HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbmDest);
    ::BitBlt(hdcMem, 0, 0, cx, cy, pDC->GetSafeHdc(), x, y, SRCCOPY);
    ::GdiFlush();
    const DWORD transparent =
        m_clrTransparent == static_cast<COLORREF>(-1) ? 0xFFFFFFFF : afximpl::ToPixel(m_clrTransparent);
    const DWORD grey = afximpl::ToPixel(::GetSysColor(COLOR_GRAYTEXT));
    for (int row = 0; row < cy; ++row)
    {
        for (int col = 0; col < cx; ++col)
        {
            DWORD pixel =
                image[static_cast<size_t>(row) * (m_iCount * cx) + iImageIndex * cx + col] & 0xFFFFFF;
            if (pixel == transparent)
                continue;
            DWORD& dest = pDest[row * cx + col];
            if (bDisabled)
                pixel = afximpl::Blend(grey, dest, 1, 2);
            else if (bInactive && m_bFadeInactive)
                pixel = afximpl::Blend(pixel, dest, 1, 2);
            if (alphaSrc != 255)
                pixel = afximpl::Blend(pixel, dest, alphaSrc, 255);
            dest = pixel;
        }
    }
    ::BitBlt(pDC->GetSafeHdc(), x, y, cx, cy, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hbmDest);
    return TRUE;
}
