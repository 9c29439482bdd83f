#include "controls/qt_file_chooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace torvane {
namespace {

// Acts on the first file dialog that opens, as an operator would.
class FileDialogOperator {
 public:
  explicit FileDialogOperator(std::function<void(QFileDialog&)> act) : act_(std::move(act)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        poll_.stop();
        seenFolder = dialog->directory().absolutePath().toStdString();
        act_(*dialog);
      }
    });
    poll_.start(5);
  }

  std::string seenFolder;

 private:
  std::function<void(QFileDialog&)> act_;
  QTimer poll_;
};

TEST(QtFileChooserTest, SaveOpensInTheStartFolderAndAddsTheDefaultSuffix) {
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString();
  FileDialogOperator operatorAtDialog([](QFileDialog& dialog) {
    dialog.selectFile(QStringLiteral("records"));
    static_cast<QDialog&>(dialog).accept();
  });
  QtFileChooser chooser(nullptr);
  const auto chosen = chooser.SaveFile({"*.xml", "xml", path});
  EXPECT_EQ(operatorAtDialog.seenFolder, path);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, path + "/records.xml");
}

TEST(QtFileChooserTest, CancelChoosesNothing) {
  QTemporaryDir folder;
  FileDialogOperator operatorAtDialog([](QFileDialog& dialog) { dialog.reject(); });
  QtFileChooser chooser(nullptr);
  EXPECT_FALSE(chooser.OpenFile({"*.csv", "csv", folder.path().toStdString()}).has_value());
}

}  // namespace
}  // namespace torvane
