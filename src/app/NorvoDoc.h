#pragma once
// CNorvoDoc: the program's one document. It carries no data; nothing is ever loaded from or
// saved to a document file.

#include <string>

class CNorvoDoc {
public:
    // A new document has the empty title.
    bool OnNewDocument()
    {
        m_title.clear();
        return true;
    }
    const std::string& GetTitle() const { return m_title; }

private:
    std::string m_title;
};
