// A colour swatch of the options window: shows a stored colour value and asks for another on a
// right click (or the context-menu key while it has the focus).
#pragma once

#include <QFrame>
#include <cstdint>

namespace krq {

class TKrqColorSwatch : public QFrame {
    Q_OBJECT

  public:
    explicit TKrqColorSwatch(QWidget* parent = nullptr);

    // The colour value as krq.ini stores it (RGB or a system colour).
    int32_t Value() const { return value_; }
    void SetValue(int32_t value);

  signals:
    void ContextPopup();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    int32_t value_ = 0xFFFFFF;
};

}  // namespace krq
