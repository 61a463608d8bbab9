// The document: Rovanta keeps its data in the manager, so the document
// holds nothing. A new document only makes the view start over.
#pragma once

namespace rovanta {

class CRovantaDoc {
public:
    /// Nothing to reset; true as for any new document.
    bool onNewDocument() { return true; }
};

} // namespace rovanta
