#include "app/start_failure.h"

#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace app {
namespace {

// One language's words: the caption and one text per failure, in the order
// of StartFailure. "{}" stands for the detail.
struct FailureTexts {
  int language;
  const char* caption;
  const char* texts[4];
};

constexpr int kEnglish = 1;

constexpr FailureTexts kTexts[] = {
    {kEnglish,
     "Morvandel.Gauge cannot start",
     {"The program's texts could not be read from its own file: the file is damaged or "
      "incomplete. Install Morvandel.Gauge again.",
      "No OpenGL context could be made for the window ({}). Install or update the graphics "
      "driver (on Debian: the package libgl1-mesa-dri), then start the program again.",
      "The graphics driver lacks OpenGL multitexturing (GL_ARB_multitexture or OpenGL 1.3). "
      "Install or update the graphics driver, then start the program again.",
      "The graphics driver lacks the OpenGL extension {}, which the program's shaders need. "
      "Install or update the graphics driver (OpenGL 2.0 or later), then start the program "
      "again."}},
    {0,
     "Morvandel.Gauge kann nicht starten",
     {"Die Texte des Programms konnten nicht aus seiner eigenen Datei gelesen werden: Die Datei "
      "ist beschädigt oder unvollständig. Installieren Sie Morvandel.Gauge neu.",
      "Für das Fenster konnte kein OpenGL-Kontext erzeugt werden ({}). Installieren oder "
      "aktualisieren Sie den Grafiktreiber (unter Debian: das Paket libgl1-mesa-dri) und starten "
      "Sie das Programm erneut.",
      "Dem Grafiktreiber fehlt OpenGL-Multitexturing (GL_ARB_multitexture oder OpenGL 1.3). "
      "Installieren oder aktualisieren Sie den Grafiktreiber und starten Sie das Programm "
      "erneut.",
      "Dem Grafiktreiber fehlt die OpenGL-Erweiterung {}, die die Shader des Programms brauchen. "
      "Installieren oder aktualisieren Sie den Grafiktreiber (OpenGL 2.0 oder neuer) und starten "
      "Sie das Programm erneut."}},
    {2,
     "Morvandel.Gauge ne peut pas démarrer",
     {"Les textes du programme n'ont pas pu être lus dans son propre fichier : le fichier est "
      "endommagé ou incomplet. Réinstallez Morvandel.Gauge.",
      "Aucun contexte OpenGL n'a pu être créé pour la fenêtre ({}). Installez ou mettez à jour "
      "le pilote graphique (sous Debian : le paquet libgl1-mesa-dri), puis relancez le "
      "programme.",
      "Le pilote graphique ne prend pas en charge le multitexturage OpenGL (GL_ARB_multitexture "
      "ou OpenGL 1.3). Installez ou mettez à jour le pilote graphique, puis relancez le "
      "programme.",
      "Le pilote graphique ne prend pas en charge l'extension OpenGL {}, nécessaire aux shaders "
      "du programme. Installez ou mettez à jour le pilote graphique (OpenGL 2.0 ou plus "
      "récent), puis relancez le programme."}},
    {5,
     "Morvandel.Gauge non può avviarsi",
     {"Non è stato possibile leggere i testi del programma dal suo stesso file: il file è "
      "danneggiato o incompleto. Reinstallare Morvandel.Gauge.",
      "Non è stato possibile creare un contesto OpenGL per la finestra ({}). Installare o "
      "aggiornare il driver grafico (su Debian: il pacchetto libgl1-mesa-dri), quindi riavviare "
      "il programma.",
      "Il driver grafico non supporta il multitexturing OpenGL (GL_ARB_multitexture o OpenGL "
      "1.3). Installare o aggiornare il driver grafico, quindi riavviare il programma.",
      "Il driver grafico non supporta l'estensione OpenGL {}, necessaria agli shader del "
      "programma. Installare o aggiornare il driver grafico (OpenGL 2.0 o successivo), quindi "
      "riavviare il programma."}},
    {7,
     "Morvandel.Gauge no puede iniciarse",
     {"No se pudieron leer los textos del programa de su propio archivo: el archivo está dañado "
      "o incompleto. Vuelva a instalar Morvandel.Gauge.",
      "No se pudo crear un contexto OpenGL para la ventana ({}). Instale o actualice el "
      "controlador gráfico (en Debian: el paquete libgl1-mesa-dri) y vuelva a iniciar el "
      "programa.",
      "El controlador gráfico no admite multitextura OpenGL (GL_ARB_multitexture u OpenGL 1.3). "
      "Instale o actualice el controlador gráfico y vuelva a iniciar el programa.",
      "El controlador gráfico no admite la extensión OpenGL {}, que necesitan los shaders del "
      "programa. Instale o actualice el controlador gráfico (OpenGL 2.0 o posterior) y vuelva "
      "a iniciar el programa."}},
};

// Spanish (Venezuela) reads the Spanish words.
constexpr int kSpanishVenezuela = 13;
constexpr int kSpanish = 7;

const FailureTexts& TextsFor(int language) {
  if (language == kSpanishVenezuela) language = kSpanish;
  for (const FailureTexts& texts : kTexts) {
    if (texts.language == language) return texts;
  }
  return kTexts[0];
}

std::string WithDetail(std::string text, std::string_view detail) {
  const size_t at = text.find("{}");
  if (at != std::string::npos) text.replace(at, 2, detail.empty() ? "?" : detail);
  return text;
}

}  // namespace

StartFailureMessage DescribeStartFailure(StartFailure failure, int language,
                                         std::string_view detail) {
  const FailureTexts& texts = TextsFor(language);
  return {platform::Utf8ToUtf16(texts.caption),
          platform::Utf8ToUtf16(WithDetail(texts.texts[static_cast<int>(failure)], detail))};
}

void ReportStartFailure(StartFailure failure, int language, std::string_view detail) {
  const StartFailureMessage message = DescribeStartFailure(failure, language, detail);
  platform::ShowMessageBox(message.text, message.caption, platform::MessageIcon::Error);
}

}  // namespace app
