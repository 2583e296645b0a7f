#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

#include "password/dialogs/DialogKind.h"

// What the nine password forms look like. Measures are in twips as designed
// (15 twips make one pixel at 96 dots per inch); rectangles are left, top, width, height
// within the client area, labels are placed by their top left corner and size themselves.

struct DialogFont {
    const char *family;
    double points;
    bool bold;
};

// One prompt label and the text box it labels.
struct PromptDesign {
    int labelIndex; // index in the GenericLabel list; -1 for the get forms' single label
    const char *designCaption;
    const char *boxName;
};

// What the three sizes of one kind share.
struct KindDesign {
    const char *designTitle;
    std::vector<PromptDesign> prompts; // in tab order
};

struct PromptPlace {
    QPoint label;
    QRect box;
};

// Where everything sits on one kind in one size.
struct SizeLayout {
    QSize client;
    DialogFont font;
    QRect key;
    std::vector<PromptPlace> prompts; // parallel to KindDesign::prompts
    QRect ok;
    QRect cancel;
};

const KindDesign &kindDesign(DialogKind kind);
const SizeLayout &sizeLayout(DialogKind kind, DialogSize size);
