// Files dropped on a window: tours, GPX files and maps are taken, anything
// else is refused while it is dragged.
#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QMimeData;

namespace rovanta {

class FileDropFilter : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const std::string& path)>;
    /// Installs itself on `window`, which then accepts drops; `open` runs
    /// for each dropped file in order.
    FileDropFilter(QWidget& window, Open open);

    /// The local files of the drop that the program opens, UTF-8.
    static std::vector<std::string> openableFiles(const QMimeData& data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Open open_;
};

} // namespace rovanta
