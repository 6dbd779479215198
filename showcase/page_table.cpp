// The showcase's pages in the order they are shown. A page is one record in
// the file of its group; list it here to show it.
#include "showcase/page.h"

namespace showcase {

extern const Page kContentsPage;
extern const Page kBlitsPage, kFillsPage, kStretchPage;
extern const Page kWavesPage, kRowsPage;
extern const Page kBlendsPage, kTonesPage, kFiltersPage;
extern const Page kSmokePage, kLensPage;
extern const Page kRotationPage, kSmearPage, kTunnelPage;
extern const Page kCurtainsPage, kWipePage, kPageViewPage;
extern const Page kGdiPage, kFontsPage, kWrapPage, kTypePage;
extern const Page kPackPage;
extern const Page kEffectsPage, kStreamPage, kMidiPage;
extern const Page kInputPage, kSystemPage;

const Page* const kPages[] = {
    &kContentsPage,
    &kBlitsPage,   &kFillsPage,    &kStretchPage,
    &kWavesPage,   &kRowsPage,
    &kBlendsPage,  &kTonesPage,    &kFiltersPage,
    &kSmokePage,   &kLensPage,
    &kRotationPage, &kSmearPage,   &kTunnelPage,
    &kCurtainsPage, &kWipePage,    &kPageViewPage,
    &kGdiPage,     &kFontsPage,    &kWrapPage,    &kTypePage,
    &kPackPage,
    &kEffectsPage, &kStreamPage,   &kMidiPage,
    &kInputPage,   &kSystemPage,
};
const int kPageCount = sizeof kPages / sizeof kPages[0];

}  // namespace showcase
