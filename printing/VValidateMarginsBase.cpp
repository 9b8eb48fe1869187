#include "printing/VValidateMarginsBase.h"

#include "frame/TextHelpers.h"
#include "frame/VReportMessageParams.h"

#include "PardalinMessages.h"

namespace
{
VUnicodeString MessageText(DWORD messageId, const VUnicodeString& insert)
{
    VReportMessageParams message(messageId);
    if (!insert.IsEmpty())
        message.AddInsert(insert.GetString());
    return VUnicodeString(message.GetText());
}
} // namespace

VValidateMarginsBase::VValidateMarginsBase()
    : pageHeight(0), pageWidth(0), minLeft(0), printableRight(0), minTop(0), printableBottom(0), leftPos(0),
      rightPos(0), topPos(0), bottomPos(0)
{
}

VValidateMarginsBase::~VValidateMarginsBase() {}

bool VValidateMarginsBase::Create(VMarginData& margins, const LOGFONTW* font)
{
    if (!Initialize(margins, font))
        return false;
    calcMargins();
    leftPos = margins.left - minLeft;
    rightPos = (pageWidth - margins.right) - minLeft;
    topPos = margins.top - minTop;
    bottomPos = (pageHeight - margins.bottom) - minTop;
    return true;
}

bool VValidateMarginsBase::ValidateMargin(int which, double& minimum)
{
    errorMessage = VUnicodeString();
    double least = 0;
    DWORD messageId = 0;
    switch (which)
    {
    case 0:
        if (leftPos < 0)
            least = minLeft, messageId = MSG_MIN_LEFT_MARGIN;
        break;
    case 1:
        if (rightPos + minLeft > printableRight)
            least = pageWidth - printableRight, messageId = MSG_MIN_RIGHT_MARGIN;
        break;
    case 2:
        if (topPos < 0)
            least = minTop, messageId = MSG_MIN_TOP_MARGIN;
        break;
    case 3:
        if (bottomPos + minTop > printableBottom)
            least = pageHeight - printableBottom, messageId = MSG_MIN_BOTTOM_MARGIN;
        break;
    default:
        break;
    }
    if (!messageId)
        return true;
    minimum = least;
    errorMessage = MessageText(messageId, DoubleToString(least));
    return false;
}

int VValidateMarginsBase::validMarginsFinal()
{
    errorMessage = VUnicodeString();
    const bool sound = leftPos < pageWidth && rightPos <= pageWidth && topPos <= pageHeight &&
                       bottomPos <= pageHeight && leftPos <= rightPos && topPos <= bottomPos;
    if (sound)
        return 1;
    errorMessage = MessageText(MSG_MARGINS_OFF_PAGE, VUnicodeString());
    return 0;
}

VUnicodeString VValidateMarginsBase::GetErrorMessage()
{
    return errorMessage;
}
