#include "password/dialogs/DialogLayout.h"

namespace {

const DialogFont normalFont{"MS Sans Serif", 8.25, false};
const DialogFont largeFont{"MS Sans Serif", 12, true};
const DialogFont extraLargeFont{"Arial", 18, true};

const QRect smallKey(195, 225, 480, 480);
const QRect bigKey(195, 225, 960, 960);

const KindDesign kinds[] = {
    {"Password Required", {{-1, "&Enter Password:", "txtPassword"}}},
    {"Create Password",
     {{0, "&Enter Password:", "txtPassword"}, {1, "Confir&m Password:", "txtConfirmation"}}},
    {"Change Password",
     {{2, "&Enter Old Password:", "txtOLDPassword"},
      {0, "Enter &New Password:", "txtPassword"},
      {1, "Confir&m New Password:", "txtConfirmation"}}},
};

// [kind][size]
const SizeLayout layouts[3][3] = {
    {
        {{3660, 1425},
         normalFont,
         smallKey,
         {{{900, 135}, {900, 390, 2595, 300}}},
         {900, 870, 1260, 390},
         {2235, 870, 1260, 390}},
        {{4365, 1755},
         largeFont,
         smallKey,
         {{{900, 135}, {900, 495, 3270, 420}}},
         {900, 1095, 1605, 465},
         {2565, 1095, 1605, 465}},
        {{5775, 2190},
         extraLargeFont,
         bigKey,
         {{{1350, 135}, {1350, 615, 4200, 555}}},
         {1365, 1380, 2040, 570},
         {3510, 1380, 2040, 570}},
    },
    {
        {{3660, 2070},
         normalFont,
         smallKey,
         {{{900, 135}, {900, 390, 2595, 300}}, {{900, 780}, {900, 1035, 2595, 300}}},
         {900, 1515, 1260, 390},
         {2235, 1515, 1260, 390}},
        {{4365, 2640},
         largeFont,
         smallKey,
         {{{900, 135}, {900, 495, 3270, 420}}, {{900, 1020}, {900, 1380, 3270, 420}}},
         {900, 1980, 1605, 465},
         {2565, 1980, 1605, 465}},
        {{5775, 3315},
         extraLargeFont,
         bigKey,
         {{{1350, 135}, {1350, 615, 4200, 555}}, {{1350, 1260}, {1350, 1740, 4200, 555}}},
         {1350, 2505, 2040, 570},
         {3495, 2505, 2040, 570}},
    },
    {
        {{3660, 2715},
         normalFont,
         smallKey,
         {{{900, 135}, {900, 390, 2595, 300}},
          {{900, 780}, {900, 1035, 2595, 300}},
          {{900, 1425}, {900, 1680, 2595, 300}}},
         {900, 2160, 1260, 390},
         {2235, 2160, 1260, 390}},
        {{4365, 3525},
         largeFont,
         smallKey,
         {{{900, 135}, {900, 495, 3270, 420}},
          {{900, 1035}, {900, 1380, 3270, 420}},
          {{900, 1905}, {900, 2265, 3270, 420}}},
         {900, 2865, 1605, 465},
         {2565, 2865, 1605, 465}},
        {{5775, 4440},
         extraLargeFont,
         bigKey,
         {{{1350, 135}, {1350, 615, 4200, 555}},
          {{1350, 1260}, {1350, 1740, 4200, 555}},
          {{1350, 2385}, {1350, 2865, 4200, 555}}},
         {1350, 3630, 2040, 570},
         {3510, 3630, 2040, 570}},
    },
};

} // namespace

const KindDesign &kindDesign(DialogKind kind) { return kinds[static_cast<int>(kind)]; }

const SizeLayout &sizeLayout(DialogKind kind, DialogSize size)
{
    return layouts[static_cast<int>(kind)][static_cast<int>(size)];
}
