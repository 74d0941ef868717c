#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <QVariant>
#include <optional>
#include <vector>

class QAction;

namespace plandeck {

// The program's icon in the desktop's notification area, with a tooltip and a popup menu whose items carry
// keys (any value the owner chooses: what the item stands for). Mouse actions on the icon and menu choices come out as
// signals; the owner decides what they do. The icon appears when the component is made and goes when it is destroyed.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    enum Button { LeftButton = 1, RightButton = 2 };
    enum class BalloonIcon { None, Information, Warning, Error };

    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether the desktop shows a notification area at all. Without one an icon would never be seen.
    static bool available();
    // Test hook: pretend the desktop has (or lacks) a notification area; {} asks the desktop again.
    static void setAvailableForTesting(std::optional<bool> available);

    // Takes the icon off the notification area for good (the component is about to go).
    void remove();

    QString toolTip() const;
    void setToolTip(const QString& tip);
    QIcon icon() const;
    void setIcon(const QIcon& icon);
    // A passing message beside the icon, where the desktop can show one.
    void showBalloonTip(const QString& message, const QString& title, BalloonIcon icon, int timeoutMs);

    // Menu items. The first call fills item 0, which exists from the start; later calls add an item at the
    // end. A caption "-" makes a separator. Returns the item's index.
    int addMenuItem(const QString& caption, const QVariant& key, bool isDefault = false);
    void enableMenuItem(int index, bool enabled);
    // Removes an item: the captions and keys after it move up one place. Item 0 only loses its caption.
    void removeMenuItem(int index);
    int defaultMenuIndex() const { return m_defaultIndex; }
    // The item shown in bold; an index that names no item makes item 0 the default.
    void setDefaultMenuIndex(int index);
    // Opens the menu at the pointer (unless it is open already).
    void showMenu();

    int menuItemCount() const { return static_cast<int>(m_items.size()); }
    QString menuItemCaption(int index) const;
    QVariant menuItemKey(int index) const;
    bool menuItemEnabled(int index) const;
    QMenu* menu() const { return m_menu; }
    // Whether the icon is on show in a notification area.
    bool shown() const;

    // Test hook: what a choice of item `index` in the menu does.
    void chooseMenuItemForTesting(int index);

signals:
    // A press on the icon; the right button's press also opens the menu.
    void mouseDown(int button);
    void doubleClick(int button);
    void menuClick(int index, const QVariant& key);
    void balloonClicked();

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void setItemCaption(QAction* item, const QString& caption);
    void showDefault();
    bool validIndex(int index) const { return index >= 0 && index < menuItemCount(); }

    QSystemTrayIcon* m_tray = nullptr;
    QPointer<QMenu> m_menu;
    std::vector<QAction*> m_items;
    bool m_menuStarted = false;
    int m_defaultIndex = 0;

    static inline std::optional<bool> s_availableForTesting;
};

} // namespace plandeck
