<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AutoContrastEffect</name>
    <message>
        <source>Touch-Up\Auto Contrast</source>
        <translation>Retusche\Autokontrast</translation>
    </message>
    <message>
        <source>Automatically adjust contrast</source>
        <translation>Kontrast automatisch anpassen</translation>
    </message>
</context>
<context>
    <name>BatchDriver</name>
    <message>
        <source>Processing...</source>
        <translation>Verarbeitung läuft ...</translation>
    </message>
    <message>
        <source>Processing Aborted!</source>
        <translation>Verarbeitung abgebrochen!</translation>
    </message>
    <message>
        <source>Processing finished!</source>
        <translation>Verarbeitung beendet!</translation>
    </message>
    <message>
        <source>Aborted!</source>
        <translation>Abgebrochen!</translation>
    </message>
</context>
<context>
    <name>BatchOptions</name>
    <message>
        <source>Converts pictures through a filter chain without a display.</source>
        <translation>Wandelt Bilder ohne Bildschirm durch eine Filterkette um.</translation>
    </message>
    <message>
        <source>Output folder (overrides the project's).</source>
        <translation>Ausgabeordner (statt dem des Projekts).</translation>
    </message>
    <message>
        <source>Output format name as in the format list, e.g. JPG, PNG, Original.</source>
        <translation>Name des Ausgabeformats wie in der Formatliste, z. B. JPG, PNG, Original.</translation>
    </message>
    <message>
        <source>Append a filter, e.g. "Resize=Type:1,Width:50,Height:50,Radio:0,RadioBy:0".</source>
        <translation>Einen Filter anhängen, z. B. "Resize=Type:1,Width:50,Height:50,Radio:0,RadioBy:0". Filter werden mit ihren englischen Namen angegeben (siehe --list-filters).</translation>
    </message>
    <message>
        <source>Naming template, e.g. "[FileName]_[Counter_1_1_3]".</source>
        <translation>Namensvorlage, z. B. "[FileName]_[Counter_1_1_3]".</translation>
    </message>
    <message>
        <source>One multi-page document from all pictures.</source>
        <translation>Ein mehrseitiges Dokument aus allen Bildern.</translation>
    </message>
    <message>
        <source>skip (default), overwrite, or abort when a target exists.</source>
        <translation>skip (Vorgabe: überspringen), overwrite (überschreiben) oder abort (abbrechen), wenn ein Ziel schon existiert.</translation>
    </message>
    <message>
        <source>Pictures converted at once (default: number of cores).</source>
        <translation>Gleichzeitig umgewandelte Bilder (Vorgabe: Anzahl der Prozessorkerne).</translation>
    </message>
    <message>
        <source>Print every loaded filter: display name, category path, default parameters.</source>
        <translation>Jeden geladenen Filter ausgeben: Name, Kategoriepfad, Standardparameter.</translation>
    </message>
    <message>
        <source>Print the output format list.</source>
        <translation>Die Liste der Ausgabeformate ausgeben.</translation>
    </message>
    <message>
        <source>Print source -&gt; target for every picture, write nothing.</source>
        <translation>Für jedes Bild Quelle -&gt; Ziel ausgeben, nichts schreiben.</translation>
    </message>
    <message>
        <source>No progress bar.</source>
        <translation>Kein Fortschrittsbalken.</translation>
    </message>
    <message>
        <source>A saved project.</source>
        <translation>Ein gespeichertes Projekt.</translation>
    </message>
    <message>
        <source>Pictures, and folders whose pictures are added.</source>
        <translation>Bilder, und Ordner, deren Bilder hinzugefügt werden.</translation>
    </message>
    <message>
        <source>only one project file at a time</source>
        <translation>nur eine Projektdatei auf einmal</translation>
    </message>
    <message>
        <source>--overwrite takes skip, overwrite or abort, not "%1"</source>
        <translation>--overwrite nimmt skip, overwrite oder abort, nicht "%1"</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to 256, not "%1"</source>
        <translation>--jobs nimmt eine Zahl von 1 bis 256, nicht "%1"</translation>
    </message>
    <message>
        <source>no pictures to convert</source>
        <translation>keine Bilder zum Umwandeln</translation>
    </message>
    <message>
        <source>no output folder: give --output DIR</source>
        <translation>kein Ausgabeordner: --output ORDNER angeben</translation>
    </message>
    <message>
        <source>the format %1 cannot hold several pages</source>
        <translation>das Format %1 kann nicht mehrere Seiten aufnehmen</translation>
    </message>
    <message>
        <source>%1 is a folder, not a project file</source>
        <translation>%1 ist ein Ordner, keine Projektdatei</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: The project file is not supported.</source>
        <translation>%1: Die Projektdatei wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>%1: no output format at row %2</source>
        <translation>%1: kein Ausgabeformat in Zeile %2</translation>
    </message>
    <message>
        <source>unknown format "%1" (see --list-formats)</source>
        <translation>unbekanntes Format "%1" (siehe --list-formats)</translation>
    </message>
    <message>
        <source>the filter "%1" is not installed (see --list-filters)</source>
        <translation>der Filter "%1" ist nicht installiert (siehe --list-filters)</translation>
    </message>
    <message>
        <source>the filter "%1" cannot read the parameters "%2" (see --list-filters)</source>
        <translation>der Filter "%1" kann die Parameter "%2" nicht lesen (siehe --list-filters)</translation>
    </message>
    <message>
        <source>Try 'kelvarine-batch --help' for more information.</source>
        <translation>»kelvarine-batch --help« zeigt mehr Informationen.</translation>
    </message>
    <message>
        <source>(missing)</source>
        <translation>(fehlt)</translation>
    </message>
    <message>
        <source>cannot create the output folder %1</source>
        <translation>der Ausgabeordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Largest picture converted, in megapixels (default: from the memory and --jobs).</source>
        <translation>Größtes umgewandeltes Bild in Megapixeln (Vorgabe: aus Arbeitsspeicher und --jobs).</translation>
    </message>
    <message>
        <source>--max-megapixels takes a number from 1 to 1000000, not "%1"</source>
        <translation>--max-megapixels nimmt eine Zahl von 1 bis 1000000, nicht "%1"</translation>
    </message>
    <message>
        <source>%1: the property %2 has the value "%3", not 0 or 1</source>
        <translation>%1: die Eigenschaft %2 hat den Wert "%3", nicht 0 oder 1</translation>
    </message>
</context>
<context>
    <name>BlurEffect</name>
    <message>
        <source>Effects\Blur</source>
        <translation>Effekte\Weichzeichnen</translation>
    </message>
    <message>
        <source>Make picture hazy in appearance</source>
        <translation>Bild weich und unscharf wirken lassen</translation>
    </message>
</context>
<context>
    <name>BorderEffect</name>
    <message>
        <source>Effects\Border</source>
        <translation>Effekte\Rahmen</translation>
    </message>
    <message>
        <source>Add a simple border around the picture</source>
        <translation>Einen einfachen Rahmen um das Bild legen</translation>
    </message>
</context>
<context>
    <name>CharcoalEffect</name>
    <message>
        <source>Effects\Charcoal</source>
        <translation>Effekte\Kohlezeichnung</translation>
    </message>
    <message>
        <source>Transform picture to a charcoal sketch</source>
        <translation>Bild in eine Kohleskizze verwandeln</translation>
    </message>
</context>
<context>
    <name>ContrastEffect</name>
    <message>
        <source>Touch-Up\Contrast</source>
        <translation>Retusche\Kontrast</translation>
    </message>
    <message>
        <source>Enhance the intensity differences between the lighter and darker pixels</source>
        <translation>Den Unterschied zwischen hellen und dunklen Pixeln verstärken</translation>
    </message>
</context>
<context>
    <name>Converter</name>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 existiert nicht</translation>
    </message>
    <message>
        <source>Saved as %1: an earlier picture of this batch was saved as %2</source>
        <translation>Gespeichert als %1: ein früheres Bild dieses Durchgangs wurde als %2 gespeichert</translation>
    </message>
    <message>
        <source>Saved as %1: %2 is a picture of this batch</source>
        <translation>Gespeichert als %1: %2 ist ein Bild dieses Durchgangs</translation>
    </message>
</context>
<context>
    <name>CropEffect</name>
    <message>
        <source>Transform\Crop</source>
        <translation>Transformieren\Zuschneiden</translation>
    </message>
    <message>
        <source>Cut a rectangular subregion from the image</source>
        <translation>Einen rechteckigen Ausschnitt aus dem Bild schneiden</translation>
    </message>
</context>
<context>
    <name>EdgeEffect</name>
    <message>
        <source>Effects\Edge</source>
        <translation>Effekte\Kanten</translation>
    </message>
    <message>
        <source>Highlight edges in picture</source>
        <translation>Kanten im Bild hervorheben</translation>
    </message>
</context>
<context>
    <name>EmbossEffect</name>
    <message>
        <source>Effects\Emboss</source>
        <translation>Effekte\Prägen</translation>
    </message>
    <message>
        <source>Add a simple emboss around the picture</source>
        <translation>Bild wie geprägt wirken lassen</translation>
    </message>
</context>
<context>
    <name>EqualizeEffect</name>
    <message>
        <source>Touch-Up\Equalize</source>
        <translation>Retusche\Ausgleichen</translation>
    </message>
    <message>
        <source>Apply histogram equalization</source>
        <translation>Histogramm ausgleichen</translation>
    </message>
</context>
<context>
    <name>FlipEffect</name>
    <message>
        <source>Transform\Flip</source>
        <translation>Transformieren\Spiegeln</translation>
    </message>
    <message>
        <source>Flip picture in vertical and/or horizontal direction</source>
        <translation>Bild senkrecht und/oder waagrecht spiegeln</translation>
    </message>
</context>
<context>
    <name>FormatCatalog</name>
    <message>
        <source>Keep original image format(if possible)</source>
        <translation>Ursprüngliches Bildformat beibehalten (wenn möglich)</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>Alle unterstützten Formate</translation>
    </message>
</context>
<context>
    <name>GaussianBlurEffect</name>
    <message>
        <source>Effects\Gaussian Blur</source>
        <translation>Effekte\Gaußscher Weichzeichner</translation>
    </message>
    <message>
        <source>Make the picture hazy in appearance using the gaussian blur algorithm</source>
        <translation>Bild mit dem gaußschen Verfahren weichzeichnen</translation>
    </message>
</context>
<context>
    <name>GrayEffect</name>
    <message>
        <source>Effects\Black &amp; White</source>
        <translation>Effekte\Schwarzweiß</translation>
    </message>
    <message>
        <source>Transform form true colors to grayscale colors</source>
        <translation>Echtfarben in Graustufen umwandeln</translation>
    </message>
</context>
<context>
    <name>ImplodeEffect</name>
    <message>
        <source>Effects\Implode</source>
        <translation>Effekte\Implosion</translation>
    </message>
    <message>
        <source>Implode special effect</source>
        <translation>Effekt Implosion</translation>
    </message>
</context>
<context>
    <name>LevelsEffect</name>
    <message>
        <source>Touch-Up\Levels</source>
        <translation>Retusche\Tonwerte</translation>
    </message>
    <message>
        <source>Adjust levels by scaling the colors falling between specified white and black points to the full available quantum range</source>
        <translation>Tonwerte anpassen: die Farben zwischen Schwarz- und Weißpunkt auf den ganzen Wertebereich strecken</translation>
    </message>
</context>
<context>
    <name>ModulateEffect</name>
    <message>
        <source>Touch-Up\Hue/Saturation</source>
        <translation>Retusche\Farbton/Sättigung</translation>
    </message>
    <message>
        <source>Correct Hue,Saturation and Lightness</source>
        <translation>Farbton, Sättigung und Helligkeit korrigieren</translation>
    </message>
</context>
<context>
    <name>NoiseEffect</name>
    <message>
        <source>Effects\Noise</source>
        <translation>Effekte\Rauschen</translation>
    </message>
    <message>
        <source>Noise special effect</source>
        <translation>Effekt Rauschen</translation>
    </message>
</context>
<context>
    <name>OilPaintEffect</name>
    <message>
        <source>Effects\Oil Paint</source>
        <translation>Effekte\Ölgemälde</translation>
    </message>
    <message>
        <source>Make picture look like an oil painting</source>
        <translation>Bild wie ein Ölgemälde wirken lassen</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>PictureCodec</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Not enough memory to read %1</source>
        <translation>Nicht genug Speicher, um %1 zu lesen</translation>
    </message>
    <message>
        <source>A filter of the chain is not installed</source>
        <translation>Ein Filter der Kette ist nicht installiert</translation>
    </message>
    <message>
        <source>%1 is larger than the library reads, more than %2 times the budget of %3 megapixels for one picture</source>
        <translation>%1 ist größer, als die Bibliothek liest, mehr als das %2-Fache der Grenze von %3 Megapixeln für ein Bild</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels (%4 megapixels), more than the budget of %5 megapixels for one picture</source>
        <translation>%1 hat %2 × %3 Pixel (%4 Megapixel), mehr als die Grenze von %5 Megapixeln für ein Bild</translation>
    </message>
    <message>
        <source>The %1 encoder wrote nothing</source>
        <translation>Der %1-Kodierer hat nichts geschrieben</translation>
    </message>
    <message>
        <source>%1 holds %2 data, which is read only from a file named .%3</source>
        <translation>%1 enthält %2-Daten, die nur aus einer Datei mit der Endung .%3 gelesen werden</translation>
    </message>
</context>
<context>
    <name>ProgressReport</name>
    <message>
        <source>converted %1 -&gt; %2</source>
        <translation>umgewandelt %1 -&gt; %2</translation>
    </message>
    <message>
        <source>failed %1: %2</source>
        <translation>fehlgeschlagen %1: %2</translation>
    </message>
    <message>
        <source>aborted at %1: %2 exists</source>
        <translation>abgebrochen bei %1: %2 existiert</translation>
    </message>
    <message>
        <source>skipped %1: %2 exists</source>
        <translation>übersprungen %1: %2 existiert</translation>
    </message>
    <message>
        <source>wrote %1</source>
        <translation>geschrieben %1</translation>
    </message>
    <message>
        <source>%1 converted, %2 skipped, %3 failed</source>
        <translation>%1 umgewandelt, %2 übersprungen, %3 fehlgeschlagen</translation>
    </message>
    <message>
        <source>, aborted</source>
        <translation>, abgebrochen</translation>
    </message>
    <message>
        <source>  %1 failed</source>
        <translation>  %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>  %1 left</source>
        <translation>  noch %1</translation>
    </message>
    <message>
        <source>converted %1 -&gt; %2 (%3)</source>
        <translation>umgewandelt %1 -&gt; %2 (%3)</translation>
    </message>
</context>
<context>
    <name>ProjectReader</name>
    <message>
        <source>the property %1 has the value "%2", not a whole number in range</source>
        <translation>die Eigenschaft %1 hat den Wert "%2", keine ganze Zahl im erlaubten Bereich</translation>
    </message>
</context>
<context>
    <name>RaiseEffect</name>
    <message>
        <source>Effects\Raise</source>
        <translation>Effekte\Relief</translation>
    </message>
    <message>
        <source>Lighten or darken picture edges to give a 3D raised or lowered effect</source>
        <translation>Bildränder aufhellen oder abdunkeln, sodass das Bild erhaben oder vertieft wirkt</translation>
    </message>
</context>
<context>
    <name>ReduceNoiseEffect</name>
    <message>
        <source>Touch-Up\Reduce Noise</source>
        <translation>Retusche\Rauschen mindern</translation>
    </message>
    <message>
        <source>Reduce noise caused by poor lighting conditions and/or poor digital cameras</source>
        <translation>Bildrauschen durch schlechtes Licht oder einfache Kameras mindern</translation>
    </message>
</context>
<context>
    <name>RenameOpter</name>
    <message>
        <source>The naming template makes a name for %1 longer than %2 bytes</source>
        <translation>Die Namensvorlage ergibt für %1 einen Namen, der länger als %2 Bytes ist</translation>
    </message>
</context>
<context>
    <name>ResizeEffect</name>
    <message>
        <source>Transform\Resize</source>
        <translation>Transformieren\Größe ändern</translation>
    </message>
    <message>
        <source>Adjust image size using pixels or percents</source>
        <translation>Bildgröße in Pixeln oder Prozent ändern</translation>
    </message>
</context>
<context>
    <name>RollEffect</name>
    <message>
        <source>Transform\Roll</source>
        <translation>Transformieren\Verschieben</translation>
    </message>
    <message>
        <source>Roll vertically and/or horizontally by a specified number of columns and rows</source>
        <translation>Um eine Anzahl Spalten und Zeilen waagrecht und/oder senkrecht rollen</translation>
    </message>
</context>
<context>
    <name>RotateEffect</name>
    <message>
        <source>Transform\Rotate</source>
        <translation>Transformieren\Drehen</translation>
    </message>
    <message>
        <source>Rotate by a specified number of degrees</source>
        <translation>Um eine Anzahl Grad drehen</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 was written, but its source %2 could not be removed: %3</source>
        <translation>%1 wurde geschrieben, aber die Quelle %2 konnte nicht entfernt werden: %3</translation>
    </message>
</context>
<context>
    <name>ShadeEffect</name>
    <message>
        <source>Effects\Shade</source>
        <translation>Effekte\Schattieren</translation>
    </message>
    <message>
        <source>Make picture look like a sculpture in grayscale or true colors</source>
        <translation>Bild wie eine Skulptur in Graustufen oder Echtfarben wirken lassen</translation>
    </message>
</context>
<context>
    <name>SharpenEffect</name>
    <message>
        <source>Touch-Up\Sharpen</source>
        <translation>Retusche\Schärfen</translation>
    </message>
    <message>
        <source>Sharpen picture by enhancing the edges'contrast</source>
        <translation>Bild durch stärkeren Kantenkontrast schärfen</translation>
    </message>
</context>
<context>
    <name>SolarizeEffect</name>
    <message>
        <source>Effects\Solarize</source>
        <translation>Effekte\Solarisation</translation>
    </message>
    <message>
        <source>Make picture look like the photographic film was exposed to light during the development process</source>
        <translation>Bild wirken lassen, als sei der Film beim Entwickeln belichtet worden</translation>
    </message>
</context>
<context>
    <name>SpreadEffect</name>
    <message>
        <source>Effects\Spread</source>
        <translation>Effekte\Streuen</translation>
    </message>
    <message>
        <source>Make picture blurry by spreading pixels randomly</source>
        <translation>Bild durch zufällig gestreute Pixel unscharf machen</translation>
    </message>
</context>
<context>
    <name>SwirlEffect</name>
    <message>
        <source>Effects\Swirl</source>
        <translation>Effekte\Strudel</translation>
    </message>
    <message>
        <source>Create a twisting motion</source>
        <translation>Eine Drehbewegung erzeugen</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Kelvarine %1 is installed.

No update source is configured, so no newer version can be looked for.</source>
        <translation>Kelvarine %1 ist installiert.

Es ist keine Quelle für Aktualisierungen eingerichtet, daher kann nicht nach einer neueren Version gesucht werden.</translation>
    </message>
    <message>
        <source>Auto Update</source>
        <translation>Automatische Aktualisierung</translation>
    </message>
    <message>
        <source>Kelvarine %1 is installed.

No update source is configured, so there is nothing to set up for automatic updates.</source>
        <translation>Kelvarine %1 ist installiert.

Es ist keine Quelle für Aktualisierungen eingerichtet, daher gibt es für automatische Aktualisierungen nichts einzurichten.</translation>
    </message>
</context>
<context>
    <name>WaveEffect</name>
    <message>
        <source>Effects\Wave</source>
        <translation>Effekte\Wellen</translation>
    </message>
    <message>
        <source>Create waves</source>
        <translation>Wellen erzeugen</translation>
    </message>
</context>
</TS>
