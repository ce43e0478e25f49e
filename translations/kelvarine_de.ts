<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Accelerator Keys</name>
    <message>
        <source>0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ</source>
        <translation>0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ</translation>
    </message>
</context>
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
        <source>Output folder (overrides the project&apos;s).</source>
        <translation>Ausgabeordner (statt dem des Projekts).</translation>
    </message>
    <message>
        <source>Output format name as in the format list, e.g. JPG, PNG, Original.</source>
        <translation>Name des Ausgabeformats wie in der Formatliste, z. B. JPG, PNG, Original.</translation>
    </message>
    <message>
        <source>Append a filter, e.g. &quot;Resize=Type:1,Width:50,Height:50,Radio:0,RadioBy:0&quot;.</source>
        <translation>Einen Filter anhängen, z. B. &quot;Resize=Type:1,Width:50,Height:50,Radio:0,RadioBy:0&quot;. Filter werden mit ihren englischen Namen angegeben (siehe --list-filters).</translation>
    </message>
    <message>
        <source>Naming template, e.g. &quot;[FileName]_[Counter_1_1_3]&quot;.</source>
        <translation>Namensvorlage, z. B. &quot;[FileName]_[Counter_1_1_3]&quot;.</translation>
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
        <source>--overwrite takes skip, overwrite or abort, not &quot;%1&quot;</source>
        <translation>--overwrite nimmt skip, overwrite oder abort, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to 256, not &quot;%1&quot;</source>
        <translation>--jobs nimmt eine Zahl von 1 bis 256, nicht &quot;%1&quot;</translation>
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
        <source>unknown format &quot;%1&quot; (see --list-formats)</source>
        <translation>unbekanntes Format &quot;%1&quot; (siehe --list-formats)</translation>
    </message>
    <message>
        <source>the filter &quot;%1&quot; is not installed (see --list-filters)</source>
        <translation>der Filter &quot;%1&quot; ist nicht installiert (siehe --list-filters)</translation>
    </message>
    <message>
        <source>the filter &quot;%1&quot; cannot read the parameters &quot;%2&quot; (see --list-filters)</source>
        <translation>der Filter &quot;%1&quot; kann die Parameter &quot;%2&quot; nicht lesen (siehe --list-filters)</translation>
    </message>
    <message>
        <source>Try &apos;kelvarine-batch --help&apos; for more information.</source>
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
        <source>--max-megapixels takes a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-megapixels nimmt eine Zahl von 1 bis 1000000, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Without --shard: decide every picture now and write the plan to FILE, converting nothing. With --shard: convert the share as FILE decided it.</source>
        <translation>Ohne --shard: jedes Bild jetzt entscheiden und den Plan in DATEI schreiben, ohne etwas umzuwandeln. Mit --shard: den Anteil so umwandeln, wie DATEI ihn entschieden hat.</translation>
    </message>
    <message>
        <source>Convert only share K of N (pictures K, K+N, K+2N, ... of the list), named as one run names them; needs --plan FILE.</source>
        <translation>Nur Anteil K von N umwandeln (die Bilder K, K+N, K+2N, ... der Liste), benannt wie bei einem einzigen Lauf; braucht --plan DATEI.</translation>
    </message>
    <message>
        <source>--shard takes K/N, share K of N with 1 &lt;= K &lt;= N (e.g. 2/3), not &quot;%1&quot;</source>
        <translation>--shard nimmt K/N, Anteil K von N mit 1 &lt;= K &lt;= N (z. B. 2/3), nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--plan needs a file name</source>
        <translation>--plan braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>--shard needs --plan FILE: shares started at different times would each find other files in the output folder; write the plan once with --plan FILE (without --shard) and give it to every share</source>
        <translation>--shard braucht --plan DATEI: zu verschiedenen Zeiten gestartete Anteile fänden jeweils andere Dateien im Ausgabeordner vor; schreiben Sie den Plan einmal mit --plan DATEI (ohne --shard) und geben Sie ihn jedem Anteil</translation>
    </message>
    <message>
        <source>--dry-run writes nothing, --plan without --shard writes the plan: give one of them</source>
        <translation>--dry-run schreibt nichts, --plan ohne --shard schreibt den Plan: geben Sie nur eines davon an</translation>
    </message>
    <message>
        <source>a multi-page document is written by one run: it cannot be planned or shared out (--plan, --shard)</source>
        <translation>ein mehrseitiges Dokument schreibt ein einziger Lauf: es kann nicht geplant oder aufgeteilt werden (--plan, --shard)</translation>
    </message>
    <message>
        <source>plan written to %1 (pictures: %2)</source>
        <translation>Plan nach %1 geschrieben (Bilder: %2)</translation>
    </message>
    <message>
        <source>the plan ends at an abort in another share</source>
        <translation>der Plan endet mit einem Abbruch in einem anderen Anteil</translation>
    </message>
</context>
<context>
    <name>BatchPlan</name>
    <message>
        <source>cannot write the plan %1: %2</source>
        <translation>der Plan %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot read the plan %1: %2</source>
        <translation>der Plan %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the plan %1 is far larger than a plan of this job</source>
        <translation>der Plan %1 ist weit größer als ein Plan dieses Auftrags</translation>
    </message>
    <message>
        <source>the plan %1: %2</source>
        <translation>der Plan %1: %2</translation>
    </message>
    <message>
        <source>not a plan (no JSON object)</source>
        <translation>kein Plan (kein JSON-Objekt)</translation>
    </message>
    <message>
        <source>not a plan of kelvarine-batch</source>
        <translation>kein Plan von kelvarine-batch</translation>
    </message>
    <message>
        <source>the plan has no valid version</source>
        <translation>der Plan hat keine gültige Version</translation>
    </message>
    <message>
        <source>the plan is of version %1, this program reads version %2 at most</source>
        <translation>der Plan hat die Version %1, dieses Programm liest höchstens Version %2</translation>
    </message>
    <message>
        <source>the plan was made for another job (other pictures, folder, settings or --overwrite): make it again with --plan</source>
        <translation>der Plan wurde für einen anderen Auftrag erstellt (andere Bilder, anderer Ordner, andere Einstellungen oder --overwrite): erstellen Sie ihn neu mit --plan</translation>
    </message>
    <message>
        <source>the plan does not have one entry per picture</source>
        <translation>der Plan hat nicht einen Eintrag je Bild</translation>
    </message>
    <message>
        <source>entry %1: </source>
        <translation>Eintrag %1: </translation>
    </message>
    <message>
        <source>not the picture at this place of the job</source>
        <translation>nicht das Bild an dieser Stelle des Auftrags</translation>
    </message>
    <message>
        <source>a page of a multi-page document, which one run writes alone</source>
        <translation>eine Seite eines mehrseitigen Dokuments, das ein einziger Lauf schreibt</translation>
    </message>
    <message>
        <source>unknown mode &quot;%1&quot;</source>
        <translation>unbekannte Art &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unknown decision &quot;%1&quot;</source>
        <translation>unbekannte Entscheidung &quot;%1&quot;</translation>
    </message>
    <message>
        <source>pictures are planned after an abort</source>
        <translation>nach einem Abbruch sind weitere Bilder geplant</translation>
    </message>
    <message>
        <source>no valid collision number</source>
        <translation>keine gültige Kollisionsnummer</translation>
    </message>
    <message>
        <source>the counter is not the job&apos;s</source>
        <translation>der Zähler ist nicht der des Auftrags</translation>
    </message>
    <message>
        <source>the target %1 is not a file in the output folder %2</source>
        <translation>das Ziel %1 ist keine Datei im Ausgabeordner %2</translation>
    </message>
    <message>
        <source>the target %1 is planned twice</source>
        <translation>das Ziel %1 ist zweimal geplant</translation>
    </message>
    <message>
        <source>the target %1 is another picture of the job</source>
        <translation>das Ziel %1 ist ein anderes Bild des Auftrags</translation>
    </message>
    <message>
        <source>the target does not carry its collision number</source>
        <translation>das Ziel trägt seine Kollisionsnummer nicht</translation>
    </message>
    <message>
        <source>the target does not end in its encoder&apos;s extension</source>
        <translation>das Ziel endet nicht auf die Endung seines Kodierers</translation>
    </message>
    <message>
        <source>the job does not make this picture the way the plan says</source>
        <translation>der Auftrag erstellt dieses Bild nicht so, wie der Plan sagt</translation>
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
    <message>
        <source>Blur: no change</source>
        <translation>Weichzeichnen: keine Änderung</translation>
    </message>
    <message>
        <source>Blur, sigma %1</source>
        <translation>Weichzeichnen, Sigma %1</translation>
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
    <message>
        <source>Border %1 px, %2</source>
        <translation>Rahmen %1 px, %2</translation>
    </message>
    <message>
        <source>Border %1 × %2 px, %3</source>
        <translation>Rahmen %1 × %2 px, %3</translation>
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
    <message>
        <source>Charcoal, radius %1, sigma %2</source>
        <translation>Kohlezeichnung, Radius %1, Sigma %2</translation>
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
    <message>
        <source>Contrast %1, lightness %2</source>
        <translation>Kontrast %1, Helligkeit %2</translation>
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
    <message>
        <source>Crop to %1 × %2 px at %3, %4</source>
        <translation>Auf %1 × %2 px bei %3, %4 zuschneiden</translation>
    </message>
    <message>
        <source>Crop to %1 % × %2 % at %3 %, %4 %</source>
        <translation>Auf %1 % × %2 % bei %3 %, %4 % zuschneiden</translation>
    </message>
</context>
<context>
    <name>DlgAbout</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Web site</source>
        <translation>Webseite</translation>
    </message>
</context>
<context>
    <name>DlgAboutClass</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;font-size:18pt; font-weight:600;&quot;&gt;Kelvarine&lt;/span&gt;</source>
        <translation>&lt;span style=&quot;font-size:18pt; font-weight:600;&quot;&gt;Kelvarine&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Batch processing of photographs</source>
        <translation>Stapelverarbeitung für Fotos</translation>
    </message>
    <message>
        <source>1.0.0</source>
        <translation>1.0.0</translation>
    </message>
    <message>
        <source>https://kelvarine.org</source>
        <translation>https://kelvarine.org</translation>
    </message>
    <message>
        <source>Click anywhere to close.</source>
        <translation>Zum Schließen irgendwo klicken.</translation>
    </message>
</context>
<context>
    <name>DlgFilterProcess</name>
    <message>
        <source>Is canceling</source>
        <translation>Wird abgebrochen</translation>
    </message>
</context>
<context>
    <name>DlgFilterProcessClass</name>
    <message>
        <source>DlgFilterProcess</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Being generated preview</source>
        <translation>Vorschau wird erstellt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel preview</source>
        <translation>Vorschau abbrechen</translation>
    </message>
</context>
<context>
    <name>DlgFilterSet</name>
    <message>
        <source>%1 X %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Preview is being generated</source>
        <translation>Vorschau wird erstellt</translation>
    </message>
    <message>
        <source>Choose a logo</source>
        <translation>Logo wählen</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
</context>
<context>
    <name>DlgFilterSetClass</name>
    <message>
        <source>DlgFilterSet</source>
        <translation>Filtereinstellungen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Best Fit</source>
        <translation>Ins Fenster einpassen</translation>
    </message>
    <message>
        <source>1:1</source>
        <translation>1:1</translation>
    </message>
    <message>
        <source>Actual</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>There are no settings for this filter</source>
        <translation>Dieser Filter hat keine Einstellungen</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Wert:</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>50</source>
        <translation>50</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Dimensions in pixels</source>
        <translation>Maße in Pixeln</translation>
    </message>
    <message>
        <source>Dimensions in percent</source>
        <translation>Maße in Prozent</translation>
    </message>
    <message>
        <source>Border size</source>
        <translation>Rahmengröße</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>Sigma</source>
        <translation>Sigma</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>22</source>
        <translation>22</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>Noise Type</source>
        <translation>Art des Rauschens</translation>
    </message>
    <message>
        <source>Gaussian</source>
        <translation>Gaußsch</translation>
    </message>
    <message>
        <source>MultiplicativeGaussian</source>
        <translation>Multiplikativ gaußsch</translation>
    </message>
    <message>
        <source>Impulse</source>
        <translation>Impuls</translation>
    </message>
    <message>
        <source>Laplacian</source>
        <translation>Laplace</translation>
    </message>
    <message>
        <source>Poisson</source>
        <translation>Poisson</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Vertiefen</translation>
    </message>
    <message>
        <source>Raise</source>
        <translation>Erhöhen</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>Azimuth</source>
        <translation>Azimut</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>Elevation</source>
        <translation>Höhenwinkel</translation>
    </message>
    <message>
        <source>Grayscale Shading</source>
        <translation>Schattierung in Graustufen</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Grad</translation>
    </message>
    <message>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>25</source>
        <translation>25</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Wellenlänge</translation>
    </message>
    <message>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Lightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Black point</source>
        <translation>Schwarzpunkt</translation>
    </message>
    <message>
        <source>White point</source>
        <translation>Weißpunkt</translation>
    </message>
    <message>
        <source>40</source>
        <translation>40</translation>
    </message>
    <message>
        <source>Mid(gamma)</source>
        <translation>Mitte (Gamma)</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Flip image vertically</source>
        <translation>Bild senkrecht spiegeln</translation>
    </message>
    <message>
        <source>Flip image horizontally</source>
        <translation>Bild waagrecht spiegeln</translation>
    </message>
    <message>
        <source>Original image size:</source>
        <translation>Ursprüngliche Bildgröße:</translation>
    </message>
    <message>
        <source>Values in pixels</source>
        <translation>Werte in Pixeln</translation>
    </message>
    <message>
        <source>Values in percents</source>
        <translation>Werte in Prozent</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Preserve original aspect ratio</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>Wasserzeichen</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Height of the text as a share of the picture&apos;s shorter side</source>
        <translation>Höhe des Textes als Anteil an der kürzeren Bildseite</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Distance from the edges as a share of the picture&apos;s shorter side</source>
        <translation>Abstand von den Rändern als Anteil an der kürzeren Bildseite</translation>
    </message>
    <message>
        <source>A PNG file</source>
        <translation>Eine PNG-Datei</translation>
    </message>
    <message>
        <source>Logo file</source>
        <translation>Logodatei</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Logo width</source>
        <translation>Logobreite</translation>
    </message>
    <message>
        <source>Width of the logo as a share of the picture&apos;s width</source>
        <translation>Breite des Logos als Anteil an der Bildbreite</translation>
    </message>
    <message>
        <source>Fit within a box of (pixels):</source>
        <translation>In einen Rahmen einpassen (Pixel):</translation>
    </message>
    <message>
        <source>Enlarge smaller pictures</source>
        <translation>Kleinere Bilder vergrößern</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Nachschärfen</translation>
    </message>
</context>
<context>
    <name>DlgFilters</name>
    <message>
        <source>All Filters</source>
        <translation>Alle Filter</translation>
    </message>
    <message>
        <source>Select Filter</source>
        <translation>Filter wählen</translation>
    </message>
    <message>
        <source>Please select a filter and then press Add</source>
        <translation>Bitte einen Filter wählen und dann »Hinzufügen« drücken</translation>
    </message>
</context>
<context>
    <name>DlgFiltersClass</name>
    <message>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Search filters</source>
        <translation>Filter suchen</translation>
    </message>
    <message>
        <source>Type to search</source>
        <translation>Zum Suchen tippen</translation>
    </message>
</context>
<context>
    <name>DlgOverwrite</name>
    <message>
        <source>The new name cannot be empty.</source>
        <translation>Der neue Name darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The new name cannot contain &quot;/&quot;: the picture is written into the same folder.</source>
        <translation>Der neue Name darf kein &quot;/&quot; enthalten: das Bild wird in denselben Ordner geschrieben.</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Photo processing not completed. Abort the operation?</source>
        <translation>Die Bildverarbeitung ist nicht abgeschlossen. Vorgang abbrechen?</translation>
    </message>
    <message>
        <source>Rename Photo</source>
        <translation>Bild umbenennen</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>Neuer Name:</translation>
    </message>
</context>
<context>
    <name>DlgOverwriteClass</name>
    <message>
        <source>Overwrite?</source>
        <translation>Überschreiben?</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>%ImagePath%</source>
        <translation>%ImagePath%</translation>
    </message>
    <message>
        <source>already exists, do you want to overwrite it?</source>
        <translation>existiert bereits. Soll es überschrieben werden?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Yes to All</source>
        <translation>Ja, alle</translation>
    </message>
    <message>
        <source>No to All</source>
        <translation>Nein, keine</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>DlgPreferences</name>
    <message>
        <source>&amp;Turn pictures upright by their EXIF orientation</source>
        <translation>Bilder nach ihrer EXIF-Ausrichtung auf&amp;richten</translation>
    </message>
    <message>
        <source>&amp;Keep the source&apos;s modification date</source>
        <translation>Änderungsdatum der Quelle &amp;behalten</translation>
    </message>
    <message>
        <source>Remove the &amp;location (GPS)</source>
        <translation>Aufnahmeort (GPS) &amp;entfernen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>The last output folder</source>
        <translation>Der zuletzt verwendete Ausgabeordner</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>&amp;Browse ...</source>
        <translation>&amp;Durchsuchen ...</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Default (%1)</source>
        <translation>Standard (%1)</translation>
    </message>
    <message>
        <source>Output &amp;folder</source>
        <translation>Ausgabe&amp;ordner</translation>
    </message>
    <message>
        <source>Output for&amp;mat</source>
        <translation>Ausgabe&amp;format</translation>
    </message>
    <message>
        <source>&amp;Quality (JPEG, WebP, JPEG XL)</source>
        <translation>&amp;Qualität (JPEG, WebP, JPEG XL)</translation>
    </message>
    <message>
        <source>A new job starts with these settings.</source>
        <translation>Eine neue Aufgabe beginnt mit diesen Einstellungen.</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Ausgabeordner</translation>
    </message>
</context>
<context>
    <name>DlgProcess</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Processing %1 images with %2 graphical filter per image.</source>
        <translation>%1 Bilder werden mit %2 Filtern je Bild verarbeitet.</translation>
    </message>
    <message>
        <source>-Failed to load %1</source>
        <translation>-%1 konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>Process interrupted by the user.</source>
        <translation>Verarbeitung vom Benutzer abgebrochen.</translation>
    </message>
    <message>
        <source>Process completed without errors.</source>
        <translation>Verarbeitung ohne Fehler abgeschlossen.</translation>
    </message>
    <message>
        <source>Warning: Process completed with %1 errors.                              For details see the log above.</source>
        <translation>Warnung: Verarbeitung mit %1 Fehlern abgeschlossen.                              Einzelheiten stehen im Protokoll oben.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Picture processing not completed. Abort the operation?</source>
        <translation>Die Bildverarbeitung ist nicht abgeschlossen. Vorgang abbrechen?</translation>
    </message>
    <message>
        <source>Converted: %1 (renamed: %2), skipped: %3, failed: %4.</source>
        <translation>Konvertiert: %1 (umbenannt: %2), übersprungen: %3, fehlgeschlagen: %4.</translation>
    </message>
    <message>
        <source>No picture was written.</source>
        <translation>Es wurde kein Bild geschrieben.</translation>
    </message>
</context>
<context>
    <name>DlgProcessClass</name>
    <message>
        <source>Processing</source>
        <translation>Verarbeitung</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>0/0</source>
        <translation>0/0</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
</context>
<context>
    <name>DlgRename</name>
    <message>
        <source>Camera Model</source>
        <translation>Kameramodell</translation>
    </message>
    <message>
        <source>Lens</source>
        <translation>Objektiv</translation>
    </message>
    <message>
        <source>ISO</source>
        <translation>ISO</translation>
    </message>
    <message>
        <source>Aperture</source>
        <translation>Blende</translation>
    </message>
    <message>
        <source>Exposure Time</source>
        <translation>Belichtungszeit</translation>
    </message>
    <message>
        <source>Focal Length</source>
        <translation>Brennweite</translation>
    </message>
    <message>
        <source>Names of the first pictures</source>
        <translation>Namen der ersten Bilder</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
</context>
<context>
    <name>DlgRenameClass</name>
    <message>
        <source>Names - Custom Defined</source>
        <translation>Namen - eigene Vorlage</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Schlüsselwörter</translation>
    </message>
    <message>
        <source>Insert a keyword</source>
        <translation>Schlüsselwort einfügen</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Delete the last keyword</source>
        <translation>Letztes Schlüsselwort löschen</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Cases</source>
        <translation>Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Change cases to</source>
        <translation>Schreibung ändern in</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>lowercases</source>
        <translation>kleinbuchstaben</translation>
    </message>
    <message>
        <source>UPPERCASES</source>
        <translation>GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>Mixed Cases</source>
        <translation>Gemischte Schreibung</translation>
    </message>
    <message>
        <source>Use lower-case for extensions</source>
        <translation>Dateiendungen klein schreiben</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>Beginnen bei</translation>
    </message>
    <message>
        <source>Step by</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Stellen</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Verwenden</translation>
    </message>
    <message>
        <source>Original picture date</source>
        <translation>Aufnahmedatum des Bildes</translation>
    </message>
    <message>
        <source>Current date</source>
        <translation>Heutiges Datum</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Datumsformat</translation>
    </message>
    <message>
        <source>MMM-DD-YYYY</source>
        <translation>MMM-DD-YYYY</translation>
    </message>
    <message>
        <source>MMM-DD-YY</source>
        <translation>MMM-DD-YY</translation>
    </message>
    <message>
        <source>DD-MMM-YYYY</source>
        <translation>DD-MMM-YYYY</translation>
    </message>
    <message>
        <source>DD-MMM-YY</source>
        <translation>DD-MMM-YY</translation>
    </message>
    <message>
        <source>YYYY-MMM-DD</source>
        <translation>YYYY-MMM-DD</translation>
    </message>
    <message>
        <source>YY-MMM-DD</source>
        <translation>YY-MMM-DD</translation>
    </message>
    <message>
        <source>MM-DD-YYYY</source>
        <translation>MM-DD-YYYY</translation>
    </message>
    <message>
        <source>MM-DD-YY</source>
        <translation>MM-DD-YY</translation>
    </message>
    <message>
        <source>DD-MM-YYYY</source>
        <translation>DD-MM-YYYY</translation>
    </message>
    <message>
        <source>DD-MM-YY</source>
        <translation>DD-MM-YY</translation>
    </message>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>YYYY-MM-DD</translation>
    </message>
    <message>
        <source>YY-MM-DD</source>
        <translation>YY-MM-DD</translation>
    </message>
    <message>
        <source>Show time as</source>
        <translation>Uhrzeit zeigen als</translation>
    </message>
    <message>
        <source>AM/PM</source>
        <translation>AM/PM</translation>
    </message>
    <message>
        <source>24h</source>
        <translation>24 h</translation>
    </message>
    <message>
        <source>Do not show time</source>
        <translation>Keine Uhrzeit</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Zeitformat</translation>
    </message>
    <message>
        <source>HH-MM</source>
        <translation>HH-MM</translation>
    </message>
    <message>
        <source>HH-MM-SS</source>
        <translation>HH-MM-SS</translation>
    </message>
    <message>
        <source>Search &amp;&amp; Replace</source>
        <translation>Suchen &amp;&amp; Ersetzen</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Source Filename</source>
        <translation>Dateiname der Quelle</translation>
    </message>
    <message>
        <source>Source Folder Name</source>
        <translation>Ordnername der Quelle</translation>
    </message>
    <message>
        <source>Source Extension</source>
        <translation>Dateiendung der Quelle</translation>
    </message>
    <message>
        <source>Date taken</source>
        <translation>Aufnahmedatum</translation>
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
    <message>
        <source>Edge, radius %1</source>
        <translation>Kanten, Radius %1</translation>
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
    <message>
        <source>Emboss, radius %1, sigma %2</source>
        <translation>Prägen, Radius %1, Sigma %2</translation>
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
    <name>FitEffect</name>
    <message>
        <source>Transform\Fit</source>
        <translation>Transformieren\Einpassen</translation>
    </message>
    <message>
        <source>Fit within a box keeping the aspect ratio, with fine resampling and optional sharpening</source>
        <translation>In einen Rahmen einpassen, Seitenverhältnis bleibt, mit feiner Neuberechnung und wahlweise Nachschärfen</translation>
    </message>
    <message>
        <source>Fit within %1 × %2</source>
        <translation>Einpassen in %1 × %2</translation>
    </message>
    <message>
        <source>, sharpen %1</source>
        <translation>, nachschärfen %1</translation>
    </message>
    <message>
        <source>, may enlarge</source>
        <translation>, darf vergrößern</translation>
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
    <message>
        <source>Flip vertically and horizontally</source>
        <translation>Vertikal und horizontal spiegeln</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Flip: no change</source>
        <translation>Spiegeln: keine Änderung</translation>
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
    <message>
        <source>Gaussian blur, width %1, sigma %2</source>
        <translation>Gaußscher Weichzeichner, Breite %1, Sigma %2</translation>
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
    <name>HeifSize</name>
    <message>
        <source>%1 declares %2 x %3 pixels but holds %4 x %5</source>
        <translation>%1 gibt %2 x %3 Pixel an, enthält aber %4 x %5</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>The help page %1 is not installed.</source>
        <translation>Die Hilfeseite %1 ist nicht installiert.</translation>
    </message>
    <message>
        <source>No program to show the help page %1 was found.</source>
        <translation>Es wurde kein Programm gefunden, das die Hilfeseite %1 anzeigen kann.</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>The updater could not be started: %1 is missing.</source>
        <translation>Die Aktualisierung konnte nicht gestartet werden: %1 fehlt.</translation>
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
    <message>
        <source>Implode, amount %1</source>
        <translation>Implosion, Stärke %1</translation>
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
    <message>
        <source>red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Levels (%1): black %2 %, white %3 %, gamma %4</source>
        <translation>Tonwerte (%1): Schwarz %2 %, Weiß %3 %, Gamma %4</translation>
    </message>
</context>
<context>
    <name>MetadataDetail</name>
    <message>
        <source>Exiv2 error %1</source>
        <translation>Exiv2-Fehler %1</translation>
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
    <message>
        <source>Hue %1, saturation %2, lightness %3</source>
        <translation>Farbton %1, Sättigung %2, Helligkeit %3</translation>
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
    <message>
        <source>Noise: Gaussian</source>
        <translation>Rauschen: Gauß</translation>
    </message>
    <message>
        <source>Noise: multiplicative Gaussian</source>
        <translation>Rauschen: multiplikativ Gauß</translation>
    </message>
    <message>
        <source>Noise: impulse</source>
        <translation>Rauschen: Impuls</translation>
    </message>
    <message>
        <source>Noise: Laplacian</source>
        <translation>Rauschen: Laplace</translation>
    </message>
    <message>
        <source>Noise: Poisson</source>
        <translation>Rauschen: Poisson</translation>
    </message>
    <message>
        <source>Noise: no change</source>
        <translation>Rauschen: keine Änderung</translation>
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
    <message>
        <source>Oil paint, radius %1</source>
        <translation>Ölgemälde, Radius %1</translation>
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
    <name>OutputFlags</name>
    <message>
        <source>Quality of JPEG, WebP and JPEG XL outputs, 1 to 100 (default 77).</source>
        <translation>Qualität von JPEG-, WebP- und JPEG-XL-Ausgaben, 1 bis 100 (Vorgabe 77).</translation>
    </message>
    <message>
        <source>Write no EXIF, IPTC, XMP or comments; the colour profile stays.</source>
        <translation>Kein EXIF, IPTC, XMP und keine Kommentare schreiben; das Farbprofil bleibt.</translation>
    </message>
    <message>
        <source>Remove the location from the metadata, keep the rest.</source>
        <translation>Den Aufnahmeort aus den Metadaten entfernen, den Rest behalten.</translation>
    </message>
    <message>
        <source>Turn pictures upright by their EXIF orientation before the filters run.</source>
        <translation>Bilder vor den Filtern nach ihrer EXIF-Ausrichtung aufrichten.</translation>
    </message>
    <message>
        <source>Converted pictures keep the source&apos;s modification time (copies always do).</source>
        <translation>Umgewandelte Bilder behalten die Änderungszeit der Quelle (Kopien immer).</translation>
    </message>
    <message>
        <source>--quality takes a number from 1 to 100, not &quot;%1&quot;</source>
        <translation>--quality nimmt eine Zahl von 1 bis 100, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Read PostScript, EPS and PDF files (rendered by Ghostscript); off, they are refused.</source>
        <translation>PostScript-, EPS- und PDF-Dateien lesen (von Ghostscript gezeichnet); sonst werden sie abgelehnt.</translation>
    </message>
</context>
<context>
    <name>OutputImage</name>
    <message>
        <source>Colour profile left out: %1 MB is too large for one</source>
        <translation>Farbprofil weggelassen: %1 MB sind für eines zu groß</translation>
    </message>
    <message>
        <source>Colour profile left out: it is damaged (%1 bytes, its header says %2)</source>
        <translation>Farbprofil weggelassen: es ist beschädigt (%1 Bytes, sein Kopf nennt %2)</translation>
    </message>
    <message>
        <source>Colour profile left out: it cannot be read</source>
        <translation>Farbprofil weggelassen: es ist nicht lesbar</translation>
    </message>
    <message>
        <source>Colour profile left out: it is not made for the picture&apos;s CMYK pixels</source>
        <translation>Farbprofil weggelassen: es ist nicht für die CMYK-Pixel des Bildes gemacht</translation>
    </message>
    <message>
        <source>Colour profile left out: a CMYK profile does not fit the picture&apos;s pixels</source>
        <translation>Farbprofil weggelassen: ein CMYK-Profil passt nicht zu den Pixeln des Bildes</translation>
    </message>
</context>
<context>
    <name>PictureCodec</name>
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
</context>
<context>
    <name>PictureKind</name>
    <message>
        <source>%1 holds %2 data, which is read only from a file named .%3</source>
        <translation>%1 enthält %2-Daten, die nur aus einer Datei mit der Endung .%3 gelesen werden</translation>
    </message>
    <message>
        <source>%1 is a %2 document; documents are read only when &quot;Read PostScript and PDF documents&quot; is on</source>
        <translation>%1 ist ein %2-Dokument; Dokumente werden nur gelesen, wenn „PostScript- und PDF-Dokumente lesen“ eingeschaltet ist</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a picture file</source>
        <translation>%1 ist keine Bilddatei</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>The picture holds no pixels</source>
        <translation>Das Bild enthält keine Pixel</translation>
    </message>
    <message>
        <source>The picture is too large to show</source>
        <translation>Das Bild ist zu groß für die Anzeige</translation>
    </message>
</context>
<context>
    <name>PictureMetadata</name>
    <message>
        <source>Cannot write the picture&apos;s metadata: %1</source>
        <translation>Die Metadaten des Bildes können nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>XMP metadata left out: too large to remove the location from it</source>
        <translation>XMP-Metadaten weggelassen: zu groß, um den Ort daraus zu entfernen</translation>
    </message>
    <message>
        <source>XMP metadata left out: it cannot be read, so the location cannot be removed from it</source>
        <translation>XMP-Metadaten weggelassen: sie sind nicht lesbar, daher kann der Ort nicht daraus entfernt werden</translation>
    </message>
    <message>
        <source>XMP metadata left out: too large to correct the orientation in it</source>
        <translation>XMP-Metadaten weggelassen: zu groß, um die Ausrichtung darin zu berichtigen</translation>
    </message>
    <message>
        <source>XMP metadata left out: too large</source>
        <translation>XMP-Metadaten weggelassen: zu groß</translation>
    </message>
    <message>
        <source>Cannot remove the metadata: the file is no JPEG, PNG, TIFF or WebP picture</source>
        <translation>Die Metadaten können nicht entfernt werden: die Datei ist kein JPEG-, PNG-, TIFF- oder WebP-Bild</translation>
    </message>
</context>
<context>
    <name>PictureMetadata::Data</name>
    <message>
        <source>XMP metadata left out: too large</source>
        <translation>XMP-Metadaten weggelassen: zu groß</translation>
    </message>
    <message>
        <source>XMP metadata left out: too large for a JPEG file</source>
        <translation>XMP-Metadaten weggelassen: zu groß für eine JPEG-Datei</translation>
    </message>
    <message>
        <source>EXIF metadata left out: too large for a JPEG file</source>
        <translation>EXIF-Metadaten weggelassen: zu groß für eine JPEG-Datei</translation>
    </message>
    <message>
        <source>Cannot write the picture&apos;s metadata: the file is no complete JPEG</source>
        <translation>Die Metadaten des Bildes können nicht geschrieben werden: die Datei ist kein vollständiges JPEG</translation>
    </message>
    <message>
        <source>Cannot write the picture&apos;s metadata: %1</source>
        <translation>Die Metadaten des Bildes können nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>PictureTable</name>
    <message>
        <source>Pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Date Taken</source>
        <translation>Aufnahmedatum</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>This picture cannot be read: %1</source>
        <translation>Dieses Bild kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>1 picture, %1</source>
        <translation>1 Bild, %1</translation>
    </message>
    <message>
        <source>%1 pictures, %2</source>
        <translation>%1 Bilder, %2</translation>
    </message>
</context>
<context>
    <name>PictureTransfer</name>
    <message>
        <source>The decoder of %1 handed back no picture</source>
        <translation>Der Decoder von %1 hat kein Bild zurückgegeben</translation>
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
    <name>ProjectActions</name>
    <message>
        <source>The pictures, filters, names or output settings have changed since they were last saved. Save them first?</source>
        <translation>Die Bilder, Filter, Namen oder Ausgabeeinstellungen wurden seit dem letzten Speichern geändert. Zuerst speichern?</translation>
    </message>
    <message>
        <source>Project File</source>
        <translation>Projektdatei</translation>
    </message>
    <message>
        <source>Kelvarine</source>
        <translation>Kelvarine</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Your setting will be discarded. Continue?</source>
        <translation>Ihre Einstellungen gehen verloren. Fortfahren?</translation>
    </message>
    <message>
        <source>Load Project</source>
        <translation>Projekt laden</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Save Project As</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <source>Save Profile</source>
        <translation>Profil speichern</translation>
    </message>
</context>
<context>
    <name>ProjectJob</name>
    <message>
        <source>the property %1 has the value &quot;%2&quot;, not 0 or 1</source>
        <translation>die Eigenschaft %1 hat den Wert &quot;%2&quot;, nicht 0 oder 1</translation>
    </message>
    <message>
        <source>no output format at row %1</source>
        <translation>kein Ausgabeformat in Zeile %1</translation>
    </message>
</context>
<context>
    <name>ProjectReader</name>
    <message>
        <source>The project file is not supported.</source>
        <translation>Die Projektdatei wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>the property %1 has the value &quot;%2&quot;, not a whole number in range</source>
        <translation>die Eigenschaft %1 hat den Wert &quot;%2&quot;, keine ganze Zahl im erlaubten Bereich</translation>
    </message>
</context>
<context>
    <name>ProjectWriter</name>
    <message>
        <source>The project file cannot be written.</source>
        <translation>Die Projektdatei kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen ...</translation>
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
    <message>
        <source>Raised edge, %1 px</source>
        <translation>Erhabener Rand, %1 px</translation>
    </message>
    <message>
        <source>Lowered edge, %1 px</source>
        <translation>Vertiefter Rand, %1 px</translation>
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
        <source>%1 does not exist</source>
        <translation>%1 existiert nicht</translation>
    </message>
    <message>
        <source>%1 is not a picture file</source>
        <translation>%1 ist keine Bilddatei</translation>
    </message>
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
    <message>
        <source>Resize to %1 %</source>
        <translation>Größe auf %1 % ändern</translation>
    </message>
    <message>
        <source>Resize to %1 % × %2 %</source>
        <translation>Größe auf %1 % × %2 % ändern</translation>
    </message>
    <message>
        <source>Resize to %1 px wide</source>
        <translation>Größe auf %1 px Breite ändern</translation>
    </message>
    <message>
        <source>Resize to %1 px high</source>
        <translation>Größe auf %1 px Höhe ändern</translation>
    </message>
    <message>
        <source>Resize to %1 × %2 px</source>
        <translation>Größe auf %1 × %2 px ändern</translation>
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
    <message>
        <source>Roll %1 px across, %2 px down</source>
        <translation>Um %1 px quer, %2 px abwärts verschieben</translation>
    </message>
    <message>
        <source>Roll %1 % across, %2 % down</source>
        <translation>Um %1 % quer, %2 % abwärts verschieben</translation>
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
    <message>
        <source>Rotate %1°</source>
        <translation>Um %1° drehen</translation>
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
    <name>SandboxDecoder</name>
    <message>
        <source>Cannot decode %1: the decoding helper %2 is missing</source>
        <translation>%1 kann nicht dekodiert werden: das Hilfsprogramm %2 fehlt</translation>
    </message>
    <message>
        <source>Cannot decode %1: %2</source>
        <translation>%1 kann nicht dekodiert werden: %2</translation>
    </message>
    <message>
        <source>Cannot decode %1: the decoding helper %2 does not start</source>
        <translation>%1 kann nicht dekodiert werden: das Hilfsprogramm %2 startet nicht</translation>
    </message>
    <message>
        <source>The decoder stopped on %1: it took longer than %2 s</source>
        <translation>Der Decoder hat bei %1 aufgehört: er brauchte länger als %2 s</translation>
    </message>
    <message>
        <source>The decoder stopped on %1 without a picture (exit status %2)</source>
        <translation>Der Decoder hat bei %1 ohne Bild aufgehört (Rückgabewert %2)</translation>
    </message>
    <message>
        <source>The decoder stopped on %1: it ran out of the memory one picture may take</source>
        <translation>Der Decoder hat bei %1 aufgehört: ihm fehlte Speicher über das hinaus, was ein Bild belegen darf</translation>
    </message>
    <message>
        <source>The decoder of %1 could not confine itself</source>
        <translation>Der Decoder von %1 konnte sich nicht abschirmen</translation>
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
    <message>
        <source>Shade, azimuth %1°, elevation %2°</source>
        <translation>Schattieren, Azimut %1°, Höhe %2°</translation>
    </message>
</context>
<context>
    <name>SharpenEffect</name>
    <message>
        <source>Touch-Up\Sharpen</source>
        <translation>Retusche\Schärfen</translation>
    </message>
    <message>
        <source>Sharpen picture by enhancing the edges&apos;contrast</source>
        <translation>Bild durch stärkeren Kantenkontrast schärfen</translation>
    </message>
    <message>
        <source>Sharpen red, radius %1, sigma %2</source>
        <translation>Rot schärfen, Radius %1, Sigma %2</translation>
    </message>
    <message>
        <source>Sharpen green, radius %1, sigma %2</source>
        <translation>Grün schärfen, Radius %1, Sigma %2</translation>
    </message>
    <message>
        <source>Sharpen blue, radius %1, sigma %2</source>
        <translation>Blau schärfen, Radius %1, Sigma %2</translation>
    </message>
    <message>
        <source>Sharpen, radius %1, sigma %2</source>
        <translation>Schärfen, Radius %1, Sigma %2</translation>
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
    <message>
        <source>Solarize, amount %1</source>
        <translation>Solarisation, Stärke %1</translation>
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
    <message>
        <source>Spread %1 px</source>
        <translation>Streuen um %1 px</translation>
    </message>
</context>
<context>
    <name>Step1Page</name>
    <message>
        <source>Select Picture(s)</source>
        <translation>Bild(er) wählen</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Ordner öffnen</translation>
    </message>
</context>
<context>
    <name>Step2Page</name>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Add Filter</source>
        <translation>Filter &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Remove &amp;Selected</source>
        <translation>Auswahl &amp;entfernen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>This filter is not installed; the chain skips it.</source>
        <translation>Dieser Filter ist nicht installiert; die Kette überspringt ihn.</translation>
    </message>
    <message>
        <source>The filter &quot;%1&quot; is not installed; it cannot be edited.</source>
        <translation>Der Filter &quot;%1&quot; ist nicht installiert und kann nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>Step3Page</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>No images to convert!</source>
        <translation>Keine Bilder zum Umwandeln!</translation>
    </message>
    <message>
        <source>Set an output directory!</source>
        <translation>Bitte einen Ausgabeordner angeben!</translation>
    </message>
    <message>
        <source>The output directory doesn&apos;t exists! Would you create it?</source>
        <translation>Der Ausgabeordner existiert nicht! Soll er angelegt werden?</translation>
    </message>
    <message>
        <source>The directory cannot be created!</source>
        <translation>Der Ordner kann nicht angelegt werden!</translation>
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
    <message>
        <source>Swirl %1°</source>
        <translation>Strudel %1°</translation>
    </message>
</context>
<context>
    <name>Tamsorel</name>
    <message>
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Remove all %1 pictures from the list?</source>
        <translation>Alle %1 Bilder aus der Liste entfernen?</translation>
    </message>
    <message>
        <source>Kelvarine</source>
        <translation>Kelvarine</translation>
    </message>
</context>
<context>
    <name>TamsorelClass</name>
    <message>
        <source>Recent Projects</source>
        <translation>Zuletzt verwendete Projekte</translation>
    </message>
    <message>
        <source>Preferences ...</source>
        <translation>Einstellungen ...</translation>
    </message>
    <message>
        <source>Kelvarine</source>
        <translation>Kelvarine</translation>
    </message>
    <message>
        <source>&lt;b&gt;Step1 - Add Pictures&lt;/b&gt;</source>
        <translation>&lt;b&gt;Schritt 1 - Bilder hinzufügen&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Add Pi&amp;cture(s)</source>
        <translation>&amp;Bild(er) hinzufügen</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>Or&amp;dner hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove &amp;All</source>
        <translation>A&amp;lle entfernen</translation>
    </message>
    <message>
        <source>&amp;Show preview</source>
        <translation>&amp;Vorschau zeigen</translation>
    </message>
    <message>
        <source>Best Fit</source>
        <translation>Ins Fenster einpassen</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Actual</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>1:1</source>
        <translation>1:1</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Picture preview</source>
        <translation>Bildvorschau</translation>
    </message>
    <message>
        <source>&lt;b&gt;Step2 - Add Filters&lt;/b&gt;</source>
        <translation>&lt;b&gt;Schritt 2 - Filter hinzufügen&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Add Filter</source>
        <translation>Filter hinzufügen</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Auswahl entfernen</translation>
    </message>
    <message>
        <source>Names</source>
        <translation>Namen</translation>
    </message>
    <message>
        <source>Pr&amp;eset</source>
        <translation>&amp;Vorlage</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Keep Unchanged</source>
        <translation>Unverändert lassen</translation>
    </message>
    <message>
        <source>Rename to Folder&apos;s Name</source>
        <translation>Nach dem Ordnernamen benennen</translation>
    </message>
    <message>
        <source>Rename to Picture&apos;s Date</source>
        <translation>Nach dem Bilddatum benennen</translation>
    </message>
    <message>
        <source>Custom Defined</source>
        <translation>Eigene Vorlage</translation>
    </message>
    <message>
        <source>C&amp;ustom...</source>
        <translation>&amp;Eigene ...</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>Previous picture</source>
        <translation>Voriges Bild</translation>
    </message>
    <message>
        <source>Preview picture</source>
        <translation>Vorschaubild</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Next picture</source>
        <translation>Nächstes Bild</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Swi&amp;tch View</source>
        <translation>Ansicht &amp;wechseln</translation>
    </message>
    <message>
        <source>&lt;b&gt;Step3 - Setup&lt;/b&gt;</source>
        <translation>&lt;b&gt;Schritt 3 - Einrichten&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Use source picture&apos;s folder for output</source>
        <translation>Ordner des Quellbildes für die Ausgabe verwenden</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>S&amp;elect</source>
        <translation>&amp;Wählen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Output Format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Create a single multi-page document from all pictures(only valid for PDF,TIFF,GIF)</source>
        <translation>Ein einziges mehrseitiges Dokument aus allen Bildern erstellen (nur für PDF, TIFF, GIF)</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>Open output folder after processing</source>
        <translation>Ausgabeordner nach der Verarbeitung öffnen</translation>
    </message>
    <message>
        <source>Delete source picture after processing(move picture)</source>
        <translation>Quellbild nach der Verarbeitung löschen (Bild verschieben)</translation>
    </message>
    <message>
        <source>Same settings for all pictures</source>
        <translation>Gleiche Einstellungen für alle Bilder</translation>
    </message>
    <message>
        <source>Picture settings</source>
        <translation>Bildeinstellungen</translation>
    </message>
    <message>
        <source>Conversion Status</source>
        <translation>Umwandlungsstatus</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Verarbeiten</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Wizard</source>
        <translation>Assistent</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Tutorials</source>
        <translation>Anleitungen</translation>
    </message>
    <message>
        <source>Wizard Steps</source>
        <translation>Schritte des Assistenten</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Add Filters</source>
        <translation>Filter hinzufügen</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einrichten</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Load Project</source>
        <translation>Projekt laden</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>Projekt speichern</translation>
    </message>
    <message>
        <source>Save Project As</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <source>Save Profile</source>
        <translation>Profil speichern</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Step1 - Add Pictures</source>
        <translation>Schritt 1 - Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Step2 - Add Filters</source>
        <translation>Schritt 2 - Filter hinzufügen</translation>
    </message>
    <message>
        <source>Step3 - Setup</source>
        <translation>Schritt 3 - Einrichten</translation>
    </message>
    <message>
        <source>Process Pictures</source>
        <translation>Bilder verarbeiten</translation>
    </message>
    <message>
        <source>Auto Update ...</source>
        <translation>Automatische Aktualisierung ...</translation>
    </message>
    <message>
        <source>Help Manual</source>
        <translation>Handbuch</translation>
    </message>
    <message>
        <source>How to Rotate Pictures</source>
        <translation>Wie man Bilder dreht</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>About us</source>
        <translation>Über Kelvarine</translation>
    </message>
    <message>
        <source>Written files</source>
        <translation>Geschriebene Dateien</translation>
    </message>
    <message>
        <source>Quality (JPEG, WebP, JPEG XL)</source>
        <translation>Qualität (JPEG, WebP, JPEG XL)</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Default (77)</source>
        <translation>Vorgabe (77)</translation>
    </message>
    <message>
        <source>Remove metadata (EXIF, IPTC, XMP; the colour profile stays)</source>
        <translation>Metadaten entfernen (EXIF, IPTC, XMP; das Farbprofil bleibt)</translation>
    </message>
    <message>
        <source>Remove the location (GPS)</source>
        <translation>Aufnahmeort entfernen (GPS)</translation>
    </message>
    <message>
        <source>Turn pictures upright by their EXIF orientation before the filters</source>
        <translation>Bilder vor den Filtern nach ihrer EXIF-Ausrichtung aufrichten</translation>
    </message>
    <message>
        <source>Keep the source&apos;s modification date</source>
        <translation>Änderungsdatum der Quelle beibehalten</translation>
    </message>
    <message>
        <source>Read PostScript and PDF documents</source>
        <translation>PostScript- und PDF-Dokumente lesen</translation>
    </message>
    <message>
        <source>PostScript and PDF files are programs that Ghostscript runs; read them only from sources you trust</source>
        <translation>PostScript- und PDF-Dateien sind Programme, die Ghostscript ausführt; lesen Sie sie nur aus vertrauenswürdigen Quellen</translation>
    </message>
</context>
<context>
    <name>TreeViewFilters</name>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>All Filters</source>
        <translation>Alle Filter</translation>
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
    <name>WatermarkEffect</name>
    <message>
        <source>Effects\Watermark</source>
        <translation>Effekte\Wasserzeichen</translation>
    </message>
    <message>
        <source>Lay a text or a logo over the picture</source>
        <translation>Einen Text oder ein Logo über das Bild legen</translation>
    </message>
    <message>
        <source>top left</source>
        <translation>oben links</translation>
    </message>
    <message>
        <source>top</source>
        <translation>oben</translation>
    </message>
    <message>
        <source>top right</source>
        <translation>oben rechts</translation>
    </message>
    <message>
        <source>left</source>
        <translation>links</translation>
    </message>
    <message>
        <source>centre</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>right</source>
        <translation>rechts</translation>
    </message>
    <message>
        <source>bottom left</source>
        <translation>unten links</translation>
    </message>
    <message>
        <source>bottom</source>
        <translation>unten</translation>
    </message>
    <message>
        <source>bottom right</source>
        <translation>unten rechts</translation>
    </message>
    <message>
        <source>Watermark: %1, %2</source>
        <translation>Wasserzeichen: %1, %2</translation>
    </message>
    <message>
        <source>The watermark cannot be drawn: %1</source>
        <translation>Das Wasserzeichen kann nicht gezeichnet werden: %1</translation>
    </message>
    <message>
        <source>No logo file is chosen for the watermark</source>
        <translation>Für das Wasserzeichen ist keine Logodatei gewählt</translation>
    </message>
    <message>
        <source>The watermark&apos;s logo &quot;%1&quot; does not exist</source>
        <translation>Das Logo des Wasserzeichens „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>The watermark&apos;s logo &quot;%1&quot; is not a file</source>
        <translation>Das Logo des Wasserzeichens „%1“ ist keine Datei</translation>
    </message>
    <message>
        <source>The watermark&apos;s logo &quot;%1&quot; is too large for a logo</source>
        <translation>Das Logo des Wasserzeichens „%1“ ist für ein Logo zu groß</translation>
    </message>
    <message>
        <source>The watermark&apos;s logo &quot;%1&quot; cannot be read: %2</source>
        <translation>Das Logo des Wasserzeichens „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The watermark&apos;s logo &quot;%1&quot; is not a PNG picture</source>
        <translation>Das Logo des Wasserzeichens „%1“ ist kein PNG-Bild</translation>
    </message>
    <message>
        <source>The watermark&apos;s logo &quot;%1&quot; cannot be read</source>
        <translation>Das Logo des Wasserzeichens „%1“ kann nicht gelesen werden</translation>
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
    <message>
        <source>Wave, amplitude %1 px, length %2 px</source>
        <translation>Wellen, Amplitude %1 px, Länge %2 px</translation>
    </message>
</context>
</TS>
