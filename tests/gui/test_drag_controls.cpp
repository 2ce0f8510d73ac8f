#include "app/drag_controls.h"
#include "support/test_registry.h"

#include <QTest>

using drop::Control;

// The object names a drag carries and the controls the drop rules speak of.
class TestDragControls : public QObject {
    Q_OBJECT

private slots:
    void namesOfTheControls() {
        const std::pair<const char16_t*, Control> names[] = {
            {u"RxDBGrid1", Control::CatalogueGrid}, {u"RxDBGrid2", Control::ListGrid},
            {u"image_chariot", Control::Cart},      {u"cpanel1", Control::Panel1},
            {u"cpanel2", Control::Panel2},          {u"cpanel3", Control::Panel3}};
        for (auto [name, control] : names) {
            QCOMPARE(dragControls::fromObjectName(name), control);
            QCOMPARE(dragControls::objectName(control), QString::fromUtf16(name));
        }
        // Any other name, or the right one in another case, is no control.
        QCOMPARE(dragControls::fromObjectName(u"TreeView1"), Control::None);
        QCOMPARE(dragControls::fromObjectName(u"rxdbgrid1"), Control::None);
        QCOMPARE(dragControls::fromObjectName(u""), Control::None);
        QVERIFY(dragControls::objectName(Control::None).isEmpty());
        // A drop between two named widgets goes through the rules.
        QCOMPARE(drop::dropEffect(dragControls::fromObjectName(u"cpanel2"),
                                  dragControls::fromObjectName(u"RxDBGrid1")),
                 drop::Effect::BlockRemove2);
        QCOMPARE(drop::dropEffect(dragControls::fromObjectName(u"TreeView1"),
                                  dragControls::fromObjectName(u"RxDBGrid2")),
                 drop::Effect::Nothing);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestDragControls)
#include "test_drag_controls.moc"
