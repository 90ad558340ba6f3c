// KDrawableImage: the picture part that image and icon drawables share: a referenced image or image
// list, a source rectangle and one cell per interaction state, and the rule a draw uses to pick its
// source rectangle from them.
#pragma once
#include <windows.h>

#include "graphics/CKDrawable.h"

class CKImage;
class CKImgList;

// A member of its drawable, not copyable. The image is referenced (AddRef) while held: images from
// the image cache are counted, so the drawable keeps them alive; an image that is not counted stays
// its creator's and must outlive the drawable.
class KDrawableImage
{
public:
    KDrawableImage() = default;
    ~KDrawableImage();

    // Holds `image` (none clears it) as a plain image: every cell becomes -1 (not a strip).
    void SetImage(CKImage* image);
    // Holds `imgList` with the cell of each slot (none: cell 0 in every slot).
    void SetImageList(CKImgList* imgList, const int cells[KSLOT_COUNT]);
    // All zero: no source rectangle.
    void SetSrcRect(const RECT& rect) { srcRect = rect; }
    // Takes the image (referenced), the source rectangle and the cells of `other`.
    void CopyFrom(const KDrawableImage& other);

    CKImage* GetImage() const { return image; }
    const RECT& GetSrcRect() const { return srcRect; }
    // -1 outside 0..3.
    int GetCellIndex(int slot) const;

    // The part of the image a draw in `state` shows: when cell 0 is set (>= 0), the cell of the
    // state's slot in the image list; else the source rectangle, when it is not empty, clipped to
    // the image; else the whole image. false without image, for a cell the list does not have, or
    // an empty result.
    bool GetSource(unsigned int state, RECT* source) const;

    KDrawableImage(const KDrawableImage&) = delete;
    KDrawableImage& operator=(const KDrawableImage&) = delete;

private:
    // References the new image before releasing the old one (they may be the same).
    void Hold(CKImage* newImage);

    CKImage* image = nullptr;   // counted: an image or a CKImgList, or none
    RECT srcRect = {};
    int cellIndex[KSLOT_COUNT] = {-1, -1, -1, -1};
};
