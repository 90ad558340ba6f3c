// LmSortKeys: ranks of texts under the playlists' name comparison, and the sort keys built on them.
#include "app/LmSortKeys.h"

#include <algorithm>

#include "foundation/KMemory.h"
#include "foundation/KText.h"
#include "media/CKMediaInfo.h"

namespace {

// Units of a text held in a 64-bit prefix.
constexpr int PREFIX_UNITS = 4;
constexpr int UNIT_BITS = 16;

// The first units of the text, folded as CompareNames folds them, most significant first (a
// shorter text is padded with NULs): two texts whose prefixes differ compare as their prefixes.
unsigned long long FoldedPrefix(const wchar_t* text)
{
    unsigned long long prefix = 0;
    int i = 0;
    for (; i < PREFIX_UNITS && text[i]; i++) {
        const wchar_t unit = text[i] >= L'A' && text[i] <= L'Z' ? (wchar_t)(text[i] + (L'a' - L'A'))
                                                                : text[i];
        prefix = prefix << UNIT_BITS | unit;
    }
    return prefix << (UNIT_BITS * (PREFIX_UNITS - i));
}

// Owns a few KAlloc blocks until it goes.
class KBlocks
{
public:
    ~KBlocks()
    {
        for (void* block : blocks)
            KFree(block);
    }
    template <class T>
    T* Take(size_t count)
    {
        T* block = (T*)KAlloc(sizeof(T) * (count ? count : 1));
        if (block && used < MAX_BLOCKS)
            blocks[used++] = block;
        else if (block) {
            KFree(block);
            block = nullptr;
        }
        return block;
    }

private:
    static constexpr int MAX_BLOCKS = 8;
    void* blocks[MAX_BLOCKS] = {};
    int used = 0;
};

// ranks[i] for texts[i]: the number of distinct texts (under CompareNames) that sort before it.
// Equal texts are gathered first in a table keyed by their folded hash, so that only the distinct
// ones are sorted; most comparisons of that sort are settled by prefixes kept beside them.
bool RankTexts(const wchar_t* const* texts, int count, unsigned* ranks)
{
    KBlocks blocks;
    unsigned capacity = 16;
    while (capacity < 2u * (unsigned)count)
        capacity *= 2;
    int* table = blocks.Take<int>(capacity);     // slot -> distinct text, -1 when free
    int* firstRow = blocks.Take<int>((size_t)count);   // distinct text -> a row that holds it
    if (!table || !firstRow)
        return false;
    std::fill(table, table + capacity, -1);
    int distinct = 0;
    for (int i = 0; i < count; i++) {
        unsigned slot = KStrIHashW(texts[i]) & (capacity - 1);
        while (table[slot] >= 0 && KStrICmpW(texts[firstRow[table[slot]]], texts[i]) != 0)
            slot = (slot + 1) & (capacity - 1);
        if (table[slot] < 0) {
            table[slot] = distinct;
            firstRow[distinct++] = i;
        }
        ranks[i] = (unsigned)table[slot];
    }
    struct KPrefixed
    {
        unsigned long long prefix;
        int text;
    };
    KPrefixed* sorted = blocks.Take<KPrefixed>((size_t)distinct);
    if (!sorted)
        return false;
    for (int d = 0; d < distinct; d++)
        sorted[d] = KPrefixed{FoldedPrefix(texts[firstRow[d]]), d};
    std::sort(sorted, sorted + distinct, [&](const KPrefixed& a, const KPrefixed& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return KStrICmpW(texts[firstRow[a.text]], texts[firstRow[b.text]]) < 0;
    });
    int* rankOf = table;   // reused: distinct text -> its place among the distinct texts
    for (int place = 0; place < distinct; place++)
        rankOf[sorted[place].text] = place;
    for (int i = 0; i < count; i++)
        ranks[i] = (unsigned)rankOf[ranks[i]];
    return true;
}

} // namespace

int MakeSortKeys(const CKMediaInfo* const* records, int count, int byArtist, int descending,
                 unsigned long long* keys)
{
    if (count <= 0)
        return 1;
    KBlocks blocks;
    const wchar_t** texts = blocks.Take<const wchar_t*>((size_t)count);
    unsigned* titles = blocks.Take<unsigned>((size_t)count);
    if (!texts || !titles)
        return 0;
    for (int i = 0; i < count; i++)
        texts[i] = records[i]->GetTitle();
    if (!RankTexts(texts, count, titles))
        return 0;
    if (!byArtist) {
        for (int i = 0; i < count; i++)
            keys[i] = titles[i];
    } else {
        // Artist, then album, then title; an empty tag sorts first under CompareNames already.
        unsigned* artists = blocks.Take<unsigned>((size_t)count);
        unsigned* albums = blocks.Take<unsigned>((size_t)count);
        struct KTriple
        {
            unsigned artist, album, title;
            int row;
            bool operator<(const KTriple& other) const
            {
                if (artist != other.artist)
                    return artist < other.artist;
                if (album != other.album)
                    return album < other.album;
                return title < other.title;
            }
        };
        KTriple* triples = blocks.Take<KTriple>((size_t)count);
        if (!artists || !albums || !triples)
            return 0;
        for (int i = 0; i < count; i++)
            texts[i] = records[i]->GetArtist();
        if (!RankTexts(texts, count, artists))
            return 0;
        for (int i = 0; i < count; i++)
            texts[i] = records[i]->GetAlbum();
        if (!RankTexts(texts, count, albums))
            return 0;
        for (int i = 0; i < count; i++)
            triples[i] = KTriple{artists[i], albums[i], titles[i], i};
        std::sort(triples, triples + count);
        unsigned long long key = 0;
        for (int i = 0; i < count; i++) {
            if (i > 0 && triples[i - 1] < triples[i])
                key++;
            keys[triples[i].row] = key;
        }
    }
    if (descending)
        for (int i = 0; i < count; i++)
            keys[i] = ~keys[i];
    return 1;
}
