#include "ui/layout/hit_tests.h"

namespace {

bool InClient(POINT client, std::int32_t width, std::int32_t height) {
    return client.x >= 0 && client.x < width && client.y >= 0 && client.y < height;
}

constexpr std::int32_t kPanelStripLeft = 128;
constexpr std::int32_t kBarStripLeft = 504;
constexpr std::int32_t kPagingButtonPitch = 12;
constexpr std::int32_t kPanelLinePitch = 16;

std::uint16_t VerticalPanelHit(POINT p, std::int32_t width, std::int32_t height) {
    if (p.y > 3 && p.y < 17 && p.x > kPanelStripLeft) {
        return static_cast<std::uint16_t>((p.x - kPanelStripLeft) / kPagingButtonPitch + 1);
    }
    if (p.x > 3 && p.x < width - 3 && p.y > 17 && p.y < height) {
        int line = (p.y - 18) / kPanelLinePitch + 1;
        if (line > 9) {
            line = 0;
        }
        return static_cast<std::uint16_t>('0' + line);
    }
    return kCandidateHitBackground;
}

std::uint16_t HorizontalBarHit(POINT p) {
    if (p.y <= 4 || p.y >= 17) {
        return kCandidateHitBackground;
    }
    for (int button = 1; button <= 4; ++button) {
        const std::int32_t left = kBarStripLeft + kPagingButtonPitch * (button - 1);
        if (p.x > left && p.x < left + kPagingButtonPitch) {
            return static_cast<std::uint16_t>(button);
        }
    }
    return kCandidateHitBackground;
}

int PlainBarHit(POINT p) {
    if (p.y <= 2 || p.y >= 20 || p.x <= 6 || p.x >= 155) {
        return kStatusHitNothing;
    }
    if (p.x <= 29) {
        return kStatusHitChineseEnglish;
    }
    if (p.x <= 94) {
        return kStatusHitPlainDrag;
    }
    if (p.x <= 114) {
        return kStatusHitFullWidth;
    }
    if (p.x <= 134) {
        return kStatusHitPunctuation;
    }
    return kStatusHitSoftKeyboard;
}

// The six 20-pixel state buttons from ButtonsX, in the order they stand.
constexpr int kSkinButtonCodes[6] = {
    kStatusHitCharacterSet, kStatusHitOnlineWord,  kStatusHitChineseEnglish,
    kStatusHitFullWidth,    kStatusHitPunctuation, kStatusHitSoftKeyboard,
};
constexpr std::int32_t kSkinButtonSize = 20;

int SkinHit(POINT p, const SkinLayoutRecord& skin) {
    const std::int32_t bx = skin.ButtonsX;
    const std::int32_t by = skin.ButtonsY;
    if (p.y <= by || p.y >= by + kSkinButtonSize || p.x <= bx || p.x >= bx + 6 * kSkinButtonSize) {
        return kStatusHitSkinDrag;
    }
    const std::int32_t offset = p.x - bx;
    if (offset % kSkinButtonSize == 0) {
        // Exactly on the border between two buttons: neither.
        return kStatusHitNothing;
    }
    return kSkinButtonCodes[offset / kSkinButtonSize];
}

}  // namespace

std::uint16_t HitTestCandidateWindow(POINT client, std::int32_t clientWidth,
                                     std::int32_t clientHeight, bool vertical) {
    if (!InClient(client, clientWidth, clientHeight)) {
        return kCandidateHitOutside;
    }
    return vertical ? VerticalPanelHit(client, clientWidth, clientHeight)
                    : HorizontalBarHit(client);
}

int CandidateLineIndex(std::uint16_t hit) {
    if (hit == '0') {
        return 9;
    }
    if (hit >= '1' && hit <= '9') {
        return hit - '1';
    }
    return -1;
}

bool IsCandidateLineHit(std::uint16_t hit) {
    return hit >= '0' && hit <= '9';
}

bool IsPagingButtonHit(std::uint16_t hit) {
    return hit >= 1 && hit <= 4;
}

int HitTestStatusWindow(POINT client, std::int32_t clientWidth, std::int32_t clientHeight,
                        const SkinLayoutRecord* skin) {
    if (!InClient(client, clientWidth, clientHeight)) {
        return kStatusHitNothing;
    }
    return skin != nullptr ? SkinHit(client, *skin) : PlainBarHit(client);
}

bool IsStatusDragHit(int hit) {
    return hit == kStatusHitSkinDrag || hit == kStatusHitPlainDrag;
}
