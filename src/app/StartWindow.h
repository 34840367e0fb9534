// The start window: the program's name and the buttons that open every
// module window.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace kurvio {

class TRichButton;
class TForm1;
struct ModuleLaunch;

class TForm4 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);
  ~TForm4() override;

  TRichButton* RichButton1;
  QPushButton *SpeedButton3, *SpeedButton2, *SpeedButton5, *SpeedButton9, *SpeedButton6,
      *SpeedButton7, *SpeedButton8, *SpeedButton4;
  QPushButton *SpeedButton14, *SpeedButton1, *SpeedButton35;

  // Confirmation of "Programm beenden?"; replaceable so that tests need no dialog.
  std::function<bool()> ConfirmClose;
  // The module shown last (for tests that drive it while it is modal).
  std::function<void(QDialog*)> OnModuleShown;

 public slots:
  void RichButton1Click();
  void SpeedButton9Click();  // "Tangentenproblem"
  void SpeedButton6Click();  // "Kurvendiskussion"
  void SpeedButton7Click();  // "Integralfunktion"
  void SpeedButton2Click();  // "Grenzwert - Stetigkeit"
  void SpeedButton4Click();  // "Bisektion"
  void SpeedButton5Click();  // "Folgen - Grenzwert"
  void SpeedButton3Click();  // "Zuordnung - Kovariation"
  void SpeedButton8Click();  // "sin cos     tan cot"
  void SpeedButton14Click();
  void SpeedButton1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormCreate();
  // Shows a dialog modally with this window as owner and destroys it afterwards.
  void RunModule(QDialog* module);
  // Opens a module window by the launch table's rule.
  void Launch(const ModuleLaunch& launch, const std::function<QDialog*(QWidget* owner)>& create);
};

// "Programm beenden?" with OK and Cancel; true for OK.
bool AskQuitProgram(QWidget* parent);

}  // namespace kurvio
