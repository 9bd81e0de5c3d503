// "Report Preview": a finished page list shown as a grid of thumbnails
// ("No Zoom", Across × Down pages from the current one) or as one page at a
// zoom, with next and previous, a jump to a page, the grid's size, Save as
// PDF, and Print, which closes the window with print requested. Only the
// pages shown are drawn.
#pragma once

#include <QDialog>
#include <QScrollArea>

class QAction;
class QActionGroup;
class QLabel;
class QSpinBox;
class QToolButton;

namespace crx {

class PageList;

class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    enum Zoom { NoZoom, PageWidth, Zoom50, Zoom75, Zoom100, Zoom200, Zoom300 };

    ReportPreview(const PageList &pages, const QString &directory, QWidget *parent = nullptr);

    bool printRequested() const { return print_; }
    Zoom zoom() const { return zoom_; }
    int currentPage() const { return current_; }
    // The page shown by each cell of the grid (thumbnails), or the one page (zoom).
    QList<int> shownPages() const;
    // The size a page is drawn at, in pixels.
    QSize drawnPageSize() const;
    QString pageText() const;
    QString zoomText() const;

    void setZoom(Zoom zoom);
    void next();
    void previous();
    void jump();
    void changeDisplay();
    void done(int result) override;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    class PageView;
    friend class PageView;

    void buildMenus();
    void buildToolbar(QWidget *bar);
    void setCurrent(int page);
    void draw();
    void clicked(int page);
    void print();
    void saveAsPdf();
    int perScreen() const;
    double factor() const;

    const PageList &pages_;
    QString directory_;
    int current_ = 1;
    int across_ = 1, down_ = 1;
    Zoom zoom_ = NoZoom;
    bool print_ = false;
    QScrollArea *area_;
    PageView *view_;
    QAction *nextAct_, *previousAct_;
    QMenu *viewMenu_;
    QActionGroup *zooms_;
    QMenu *zoomPopup_;
    QSpinBox *page_, *acrossSpin_, *downSpin_;
    QLabel *pageStatus_, *zoomStatus_;
};

} // namespace crx
