<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ApproximationFit</name>
    <message>
        <source>trop peu de points : %1, il en faut au moins %2</source>
        <translation>too few points: %1, at least %2 are needed</translation>
    </message>
    <message>
        <source>tous les points sont au même instant : il n&apos;y a pas de trajet à ajuster</source>
        <translation>all the points are at the same instant: there is no track to fit</translation>
    </message>
    <message>
        <source>toutes les distances sont égales (%1) : il n&apos;y a pas de rapprochement à ajuster</source>
        <translation>all the distances are equal (%1): there is no approach to fit</translation>
    </message>
    <message>
        <source>aucun minimum de la distance dans les points (du %1 au %2 TU) : la piste doit couvrir l&apos;instant central, avec des points de part et d&apos;autre</source>
        <translation>no minimum of the distance in the points (from %1 to %2 UT): the track must cover the central instant, with points on both sides</translation>
    </message>
    <message>
        <source>atteint après %1 itérations : instant central %2 TU, distance minimale %3</source>
        <translation>reached after %1 iterations: central instant %2 UT, least distance %3</translation>
    </message>
    <message>
        <source>l&apos;ajustement n&apos;a pas convergé (%1) ; %2</source>
        <translation>the fit did not converge (%1); %2</translation>
    </message>
    <message>
        <source>l&apos;ajustement n&apos;a pas donné de valeurs utilisables ; %1</source>
        <translation>the fit gave no usable values; %1</translation>
    </message>
    <message>
        <source>trop peu de points d&apos;un côté de l&apos;instant central (%1 avant, %2 après ; il en faut %3 de chaque côté) ; %4</source>
        <translation>too few points on one side of the central instant (%1 before, %2 after; %3 are needed on each side); %4</translation>
    </message>
    <message>
        <source>le fichier n&apos;a qu&apos;une colonne : il faut un temps et Δx, Δy ou la distance</source>
        <translation>the file has a single column: it needs a time and Δx, Δy or the distance</translation>
    </message>
    <message>
        <source>ni Δx et Δy ni distance parmi les colonnes (%1) : nommez-les dx, dy ou distance, ou choisissez-les</source>
        <translation>neither Δx and Δy nor a distance among the columns (%1): name them dx, dy or distance, or choose them</translation>
    </message>
    <message>
        <source>aucune ligne lisible dans la piste</source>
        <translation>no readable row in the track</translation>
    </message>
    <message>
        <source>impossible de lire le fichier « %1 » : %2</source>
        <translation>cannot read the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>le fichier « %1 » n&apos;existe pas</source>
        <translation>the file &quot;%1&quot; does not exist</translation>
    </message>
    <message>
        <source>le fichier « %1 » est trop grand pour une piste</source>
        <translation>the file &quot;%1&quot; is too large for a track</translation>
    </message>
    <message>
        <source>indéterminé</source>
        <translation>undetermined</translation>
    </message>
    <message>
        <source># Zenolune : réduction d&apos;une approximation mutuelle
</source>
        <translation># Zenolune: reduction of a mutual approximation
</translation>
    </message>
    <message>
        <source>Approximation</source>
        <translation>Approximation</translation>
    </message>
    <message>
        <source>Prévision</source>
        <translation>Prediction</translation>
    </message>
    <message>
        <source>topocentrique</source>
        <translation>topocentric</translation>
    </message>
    <message>
        <source>géocentrique</source>
        <translation>geocentric</translation>
    </message>
    <message>
        <source>Lieu d&apos;observation</source>
        <translation>Observing site</translation>
    </message>
    <message>
        <source>latitude %1°, longitude %2° (est positive), altitude %3 m</source>
        <translation>latitude %1°, longitude %2° (east positive), height %3 m</translation>
    </message>
    <message>
        <source>non réglé (prévision géocentrique)</source>
        <translation>not set (geocentric prediction)</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Colonnes</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>temps %1, distance %2</source>
        <translation>time %1, distance %2</translation>
    </message>
    <message>
        <source>temps %1, Δx %2, Δy %3</source>
        <translation>time %1, Δx %2, Δy %3</translation>
    </message>
    <message>
        <source>Lignes</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>%1 lues, %2 illisibles, %3 points ajustés</source>
        <translation>%1 read, %2 unreadable, %3 points fitted</translation>
    </message>
    <message>
        <source>Ajustement</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Instant central observé (TU)</source>
        <translation>Observed central instant (UT)</translation>
    </message>
    <message>
        <source>%1 ± %2 s (1 σ)</source>
        <translation>%1 ± %2 s (1 σ)</translation>
    </message>
    <message>
        <source>Instant central observé (JD TU)</source>
        <translation>Observed central instant (JD UT)</translation>
    </message>
    <message>
        <source>O-C</source>
        <translation>O-C</translation>
    </message>
    <message>
        <source>%1 ± %2 s, soit %3 mas le long du mouvement relatif prévu</source>
        <translation>%1 ± %2 s, that is %3 mas along the predicted relative motion</translation>
    </message>
    <message>
        <source>Distance minimale</source>
        <translation>Least distance</translation>
    </message>
    <message>
        <source>%1 ± %2%3%4</source>
        <translation>%1 ± %2%3%4</translation>
    </message>
    <message>
        <source> (O-C %1&quot;)</source>
        <translation> (O-C %1&quot;)</translation>
    </message>
    <message>
        <source>Vitesse relative</source>
        <translation>Relative speed</translation>
    </message>
    <message>
        <source>%1 ± %2%3/s</source>
        <translation>%1 ± %2%3/s</translation>
    </message>
    <message>
        <source>Courbure</source>
        <translation>Curvature</translation>
    </message>
    <message>
        <source>terme ajusté : %1 ± %2</source>
        <translation>term fitted: %1 ± %2</translation>
    </message>
    <message>
        <source>non significative, mouvement uniforme</source>
        <translation>not significant, uniform motion</translation>
    </message>
    <message>
        <source>χ² réduit</source>
        <translation>Reduced χ²</translation>
    </message>
    <message>
        <source>%1 (%2), résidus %3%4 (écart type)</source>
        <translation>%1 (%2), residuals %3%4 (standard deviation)</translation>
    </message>
    <message>
        <source>pondéré par les incertitudes du fichier</source>
        <translation>weighted by the file&apos;s uncertainties</translation>
    </message>
    <message>
        <source>poids égaux</source>
        <translation>equal weights</translation>
    </message>
    <message>
        <source>Méthode</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>d(t)² = d0² + v²(t − t0)²%1 (Morgado et al. 2016) ; moindres carrés non linéaires (GSL, Levenberg-Marquardt), %2 itérations ; incertitudes de la covariance multipliée par le χ² réduit</source>
        <translation>d(t)² = d0² + v²(t − t0)²%1 (Morgado et al. 2016); nonlinear least squares (GSL, Levenberg-Marquardt), %2 iterations; uncertainties from the covariance scaled by the reduced χ²</translation>
    </message>
    <message>
        <source>théorie précise (%7, VSOP87), %1, instant central %2 TU, distance %3&quot; (%4 km), vitesse relative %5 mas/s, angle %6°</source>
        <translation>precise theory (%7, VSOP87), %1, central instant %2 UT, distance %3&quot; (%4 km), relative speed %5 mas/s, angle %6°</translation>
    </message>
</context>
<context>
    <name>ApproximationPanel</name>
    <message>
        <source>%1 et %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>%1 derrière Jupiter</source>
        <translation>%1 behind Jupiter</translation>
    </message>
    <message>
        <source>%1 dans l&apos;ombre de Jupiter</source>
        <translation>%1 in Jupiter&apos;s shadow</translation>
    </message>
    <message>
        <source>%1 devant le disque</source>
        <translation>%1 in front of the disc</translation>
    </message>
    <message>
        <source>%1 trop près du bord de Jupiter</source>
        <translation>%1 too close to Jupiter&apos;s limb</translation>
    </message>
    <message>
        <source>Jupiter trop bas ou ciel trop clair</source>
        <translation>Jupiter too low or sky too bright</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1 — approximation de %2&lt;/b&gt;&lt;br&gt;</source>
        <translation>&lt;b&gt;%1 — approximation of %2&lt;/b&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Instant central : &lt;b&gt;%1 TU&lt;/b&gt; (%2)&lt;br&gt;</source>
        <translation>Central instant: &lt;b&gt;%1 UT&lt;/b&gt; (%2)&lt;br&gt;</translation>
    </message>
    <message>
        <source>topocentrique</source>
        <translation>topocentric</translation>
    </message>
    <message>
        <source>géocentrique</source>
        <translation>geocentric</translation>
    </message>
    <message>
        <source>Distance minimale : %1″ (%2 km)&lt;br&gt;</source>
        <translation>Least distance: %1″ (%2 km)&lt;br&gt;</translation>
    </message>
    <message>
        <source>Vitesse relative : %1 mas/s, angle de position %2°&lt;br&gt;</source>
        <translation>Relative speed: %1 mas/s, position angle %2°&lt;br&gt;</translation>
    </message>
    <message>
        <source>Bord de Jupiter : %1″ et %2″&lt;br&gt;</source>
        <translation>Jupiter&apos;s limb: %1″ and %2″&lt;br&gt;</translation>
    </message>
    <message>
        <source>Phénomène mutuel en cours : %1&lt;br&gt;</source>
        <translation>Mutual event under way: %1&lt;br&gt;</translation>
    </message>
    <message>
        <source>Hauteurs : Jupiter %1°, Soleil %2°&lt;br&gt;</source>
        <translation>Altitudes: Jupiter %1°, Sun %2°&lt;br&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Passage quasi stationnaire&lt;/b&gt; : l&apos;instant central est mal défini.&lt;br&gt;</source>
        <translation>&lt;b&gt;Near-stationary pass&lt;/b&gt;: the central instant is ill-defined.&lt;br&gt;</translation>
    </message>
    <message>
        <source>Observable.</source>
        <translation>Observable.</translation>
    </message>
    <message>
        <source>Non observable : %1.</source>
        <translation>Not observable: %1.</translation>
    </message>
    <message>
        <source>Approximation mutuelle</source>
        <translation>Mutual approximation</translation>
    </message>
    <message>
        <source>Exporter la &amp;courbe…</source>
        <translation>Export the &amp;curve…</translation>
    </message>
    <message>
        <source>La distance prévue en image PNG, en dessin SVG ou en tableau CSV</source>
        <translation>The predicted distance as a PNG image, an SVG drawing or a CSV table</translation>
    </message>
    <message>
        <source>Exporter le &amp;dessin…</source>
        <translation>Export the &amp;drawing…</translation>
    </message>
    <message>
        <source>Le dessin des trajets en image PNG ou en dessin SVG</source>
        <translation>The drawing of the tracks as a PNG image or an SVG drawing</translation>
    </message>
    <message>
        <source>Exporter la distance</source>
        <translation>Export the distance</translation>
    </message>
    <message>
        <source>distance</source>
        <translation>distance</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg);;Tableau CSV (*.csv)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg);;CSV table (*.csv)</translation>
    </message>
    <message>
        <source>Exporter le dessin des trajets</source>
        <translation>Export the drawing of the tracks</translation>
    </message>
    <message>
        <source>trajets</source>
        <translation>tracks</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
    </message>
</context>
<context>
    <name>ApproximationView</name>
    <message>
        <source>Distance apparente des deux satellites autour de l&apos;instant central</source>
        <translation>Apparent distance of the two satellites around the central instant</translation>
    </message>
    <message>
        <source>Les trajets des deux satellites sur le ciel, orientés comme le dessin de la fenêtre principale</source>
        <translation>The two satellites&apos; tracks on the sky, oriented as the main window&apos;s picture</translation>
    </message>
    <message>
        <source>%1 — instant central %2 TU, %3″</source>
        <translation>%1 — central instant %2 UT, %3″</translation>
    </message>
    <message>
        <source>minutes depuis l&apos;instant central</source>
        <translation>minutes from the central instant</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>± %1 min autour de l&apos;instant central</source>
        <translation>± %1 min around the central instant</translation>
    </message>
</context>
<context>
    <name>Approximations</name>
    <message>
        <source>La distance maximale des approximations doit être comprise entre %1″ et %2″.</source>
        <translation>The approximations&apos; largest distance must lie between %1″ and %2″.</translation>
    </message>
    <message>
        <source>L&apos;écart minimal au bord de Jupiter doit être compris entre %1″ et %2″.</source>
        <translation>The least separation from Jupiter&apos;s limb must lie between %1″ and %2″.</translation>
    </message>
    <message>
        <source>La vitesse relative des passages quasi stationnaires doit être comprise entre %1 et %2 mas/s.</source>
        <translation>The relative speed of near-stationary passes must lie between %1 and %2 mas/s.</translation>
    </message>
</context>
<context>
    <name>Calendrier</name>
    <message>
        <source>début de l&apos;éclipse</source>
        <translation>beginning of the eclipse</translation>
    </message>
    <message>
        <source>fin de l&apos;éclipse</source>
        <translation>end of the eclipse</translation>
    </message>
    <message>
        <source>début de l&apos;occultation</source>
        <translation>beginning of the occultation</translation>
    </message>
    <message>
        <source>fin de l&apos;occultation</source>
        <translation>end of the occultation</translation>
    </message>
    <message>
        <source>début du passage</source>
        <translation>beginning of the transit</translation>
    </message>
    <message>
        <source>fin du passage</source>
        <translation>end of the transit</translation>
    </message>
    <message>
        <source>début de l&apos;ombre</source>
        <translation>beginning of the shadow transit</translation>
    </message>
    <message>
        <source>fin de l&apos;ombre</source>
        <translation>end of the shadow transit</translation>
    </message>
    <message>
        <source>passage au méridien central</source>
        <translation>transit of the central meridian</translation>
    </message>
    <message>
        <source>Tache Rouge</source>
        <translation>Red Spot</translation>
    </message>
    <message>
        <source>théorie originale</source>
        <translation>original theory</translation>
    </message>
    <message>
        <source>Zenolune, %1.</source>
        <translation>Zenolune, %1.</translation>
    </message>
    <message>
        <source>Jupiter à %1°, Soleil à %2° : %3.</source>
        <translation>Jupiter at %1°, Sun at %2°: %3.</translation>
    </message>
    <message>
        <source>observable</source>
        <translation>observable</translation>
    </message>
    <message>
        <source>non observable</source>
        <translation>not observable</translation>
    </message>
    <message>
        <source>phénomène mutuel %1 (%2), maximum</source>
        <translation>mutual event %1 (%2), maximum</translation>
    </message>
    <message>
        <source>théorie précise, %1 (contacts du centre du satellite)</source>
        <translation>precise theory, %1 (contacts of the satellite&apos;s centre)</translation>
    </message>
</context>
<context>
    <name>Dates</name>
    <message>
        <source>Jour</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Mois</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Année</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Le mois doit être compris entre 1 et 12.</source>
        <translation>The month must lie between 1 and 12.</translation>
    </message>
    <message>
        <source>L&apos;année du graphique doit être comprise entre 100 et 9999.</source>
        <translation>The chart&apos;s year must lie between 100 and 9999.</translation>
    </message>
</context>
<context>
    <name>DialogueHoraire</name>
    <message>
        <source>Heure illisible « %1 » : une date et une heure TU comme %2 ou 2026-12-31T21:40:03.52 — champ « Première image (TU) »</source>
        <translation>Unreadable time “%1”: a UT date and time such as %2 or 2026-12-31T21:40:03.52 — field “First frame (UT)”</translation>
    </message>
    <message>
        <source>Cadence illisible « %1 » : un nombre d&apos;images par seconde plus grand que 0, par exemple %2 — champ « Images par seconde »</source>
        <translation>Unreadable rate “%1”: a number of frames per second greater than 0, for example %2 — field “Frames per second”</translation>
    </message>
    <message>
        <source>Heure de l&apos;enregistrement</source>
        <translation>Time of the recording</translation>
    </message>
    <message>
        <source>« %1 » ne donne pas l&apos;heure de ses images (%2). Donnez l&apos;heure TU de la première image et la cadence.</source>
        <translation>“%1” does not give the time of its frames (%2). Give the UT of the first frame and the frame rate.</translation>
    </message>
    <message>
        <source>Date et heure TU de la première image, par exemple 31/12/2026 21:40:03,52 ou 2026-12-31T21:40:03.52</source>
        <translation>UT date and time of the first frame, for example 12/31/2026 21:40:03.52 or 2026-12-31T21:40:03.52</translation>
    </message>
    <message>
        <source>Première image (TU) :</source>
        <translation>First frame (UT):</translation>
    </message>
    <message>
        <source>Images par seconde :</source>
        <translation>Frames per second:</translation>
    </message>
</context>
<context>
    <name>DialogueLieu</name>
    <message>
        <source>Lieu d&apos;observation et Tache Rouge</source>
        <translation>Observing Place and Red Spot</translation>
    </message>
    <message>
        <source>Latitude (°, nord positif) :</source>
        <translation>Latitude (°, north positive):</translation>
    </message>
    <message>
        <source>Longitude (°, EST positif) :</source>
        <translation>Longitude (°, EAST positive):</translation>
    </message>
    <message>
        <source>Altitude du lieu (m) :</source>
        <translation>Height of the place (m):</translation>
    </message>
    <message>
        <source>Jupiter au moins à (°) :</source>
        <translation>Jupiter at least at (°):</translation>
    </message>
    <message>
        <source>Soleil au plus à (°) :</source>
        <translation>Sun at most at (°):</translation>
    </message>
    <message>
        <source>Tache Rouge, longitude Système II (°) :</source>
        <translation>Red Spot, System II longitude (°):</translation>
    </message>
    <message>
        <source>Dérive (° par mois) :</source>
        <translation>Drift (° a month):</translation>
    </message>
    <message>
        <source>La longitude est comptée positivement vers l&apos;est (Paris : 2,35). La longitude de la Tache Rouge change : mettez-la à jour d&apos;après les observations récentes.</source>
        <translation>The longitude is counted positive towards the east (Paris: 2.35). The Red Spot&apos;s longitude changes: update it from recent observations.</translation>
    </message>
    <message>
        <source>color: #b00000</source>
        <translation>color: #b00000</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un nombre.</source>
        <translation>%1 is not a number.</translation>
    </message>
    <message>
        <source>La latitude</source>
        <translation>The latitude</translation>
    </message>
    <message>
        <source>La longitude</source>
        <translation>The longitude</translation>
    </message>
    <message>
        <source>L&apos;altitude du lieu</source>
        <translation>The height of the place</translation>
    </message>
    <message>
        <source>La hauteur minimale de Jupiter</source>
        <translation>Jupiter&apos;s minimum altitude</translation>
    </message>
    <message>
        <source>La hauteur maximale du Soleil</source>
        <translation>The Sun&apos;s maximum altitude</translation>
    </message>
    <message>
        <source>La longitude de la Tache Rouge</source>
        <translation>The Red Spot&apos;s longitude</translation>
    </message>
    <message>
        <source>La dérive de la Tache Rouge</source>
        <translation>The Red Spot&apos;s drift</translation>
    </message>
    <message>
        <source>L&apos;heure de votre horloge, heure d&apos;été comprise : les heures de la fenêtre Phénomènes</source>
        <translation>Your clock&apos;s time, daylight saving included: the times of the Phenomena window</translation>
    </message>
    <message>
        <source>Fuseau horaire :</source>
        <translation>Time zone:</translation>
    </message>
    <message>
        <source>Phénomènes mutuels, chute d&apos;éclat d&apos;au moins (mag) :</source>
        <translation>Mutual events, magnitude drop at least (mag):</translation>
    </message>
    <message>
        <source>Un phénomène mutuel plus faible ne se voit pas : il est dit non observable</source>
        <translation>A fainter mutual event cannot be seen: it is called not observable</translation>
    </message>
    <message>
        <source>La chute d&apos;éclat minimale</source>
        <translation>The least magnitude drop</translation>
    </message>
    <message>
        <source>à la date (%1, 0 h TU) :</source>
        <translation>on the date (%1, 0 h UT):</translation>
    </message>
    <message>
        <source>L&apos;époque de la Tache Rouge n&apos;est pas une date (%1 ou Année-Mois-Jour).</source>
        <translation>The Red Spot&apos;s epoch is not a date (%1 or Year-Month-Day).</translation>
    </message>
    <message>
        <source>Approximations : distance au plus (″) :</source>
        <translation>Approximations: distance at most (″):</translation>
    </message>
    <message>
        <source>Approximations : écart au bord de Jupiter au moins (″) :</source>
        <translation>Approximations: separation from Jupiter&apos;s limb at least (″):</translation>
    </message>
    <message>
        <source>Approximations : quasi stationnaire sous (mas/s) :</source>
        <translation>Approximations: near-stationary below (mas/s):</translation>
    </message>
    <message>
        <source>La distance maximale des approximations</source>
        <translation>The approximations&apos; largest distance</translation>
    </message>
    <message>
        <source>L&apos;écart minimal au bord de Jupiter</source>
        <translation>The least separation from Jupiter&apos;s limb</translation>
    </message>
    <message>
        <source>La vitesse des passages quasi stationnaires</source>
        <translation>The speed of near-stationary passes</translation>
    </message>
</context>
<context>
    <name>Documents</name>
    <message>
        <source>Date (TC)</source>
        <translation>Date (CT)</translation>
    </message>
    <message>
        <source>Date (TU)</source>
        <translation>Date (UT)</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Satellite</translation>
    </message>
    <message>
        <source>Phénomène</source>
        <translation>Phenomenon</translation>
    </message>
    <message>
        <source>Début/fin</source>
        <translation>Beginning/end</translation>
    </message>
    <message>
        <source>Jupiter (°)</source>
        <translation>Jupiter (°)</translation>
    </message>
    <message>
        <source>Soleil (°)</source>
        <translation>Sun (°)</translation>
    </message>
    <message>
        <source>Observable</source>
        <translation>Observable</translation>
    </message>
    <message>
        <source>heure locale (%1)</source>
        <translation>local time (%1)</translation>
    </message>
    <message>
        <source>Heure locale (%1)</source>
        <translation>Local time (%1)</translation>
    </message>
    <message>
        <source>heures en TU</source>
        <translation>hours in UT</translation>
    </message>
    <message>
        <source>heures civiles (Différence TU-TC = %1 h)</source>
        <translation>civil hours (UT-CT difference = %1 h)</translation>
    </message>
    <message>
        <source>page %1 / %2</source>
        <translation>page %1 / %2</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Aucun phénomène.</source>
        <translation>No phenomenon.</translation>
    </message>
    <message>
        <source>Lieu : %1</source>
        <translation>Place: %1</translation>
    </message>
    <message>
        <source>précision réduite hors de %1</source>
        <translation>reduced accuracy outside %1</translation>
    </message>
    <message>
        <source>Théorie originale (Meeus)</source>
        <translation>Original theory (Meeus)</translation>
    </message>
    <message>
        <source>Satellites galiléens de Jupiter — %1</source>
        <translation>Jupiter&apos;s Galilean satellites — %1</translation>
    </message>
    <message>
        <source>Phénomènes — %1</source>
        <translation>Phenomena — %1</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>O</source>
        <translation>W</translation>
    </message>
    <message>
        <source>caché</source>
        <translation>hidden</translation>
    </message>
    <message>
        <source>Théorie précise (%1), contacts du centre du satellite</source>
        <translation>Precise theory (%1), contacts of the satellite&apos;s centre</translation>
    </message>
</context>
<context>
    <name>DrawingExport</name>
    <message>
        <source>Le nom « %1 » doit finir par .png, .svg ou .csv.</source>
        <translation>The name “%1” must end in .png, .svg or .csv.</translation>
    </message>
    <message>
        <source>Le nom « %1 » doit finir par .png ou .svg.</source>
        <translation>The name “%1” must end in .png or .svg.</translation>
    </message>
    <message>
        <source>Le dessin n&apos;a pas pu être produit pour « %1 ».</source>
        <translation>The drawing could not be made for “%1”.</translation>
    </message>
</context>
<context>
    <name>ErreurExecution</name>
    <message>
        <source>Argument ou appel de procédure incorrect</source>
        <translation>Invalid procedure call or argument</translation>
    </message>
    <message>
        <source>Dépassement de capacité</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Division par zéro</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>Incompatibilité de type</source>
        <translation>Type mismatch</translation>
    </message>
    <message>
        <source>Erreur définie par l&apos;application ou par l&apos;objet</source>
        <translation>Application-defined or object-defined error</translation>
    </message>
    <message>
        <source>Erreur d&apos;exécution &apos;%1&apos; : %2</source>
        <translation>Run-time error &apos;%1&apos;: %2</translation>
    </message>
</context>
<context>
    <name>FenetreAide</name>
    <message>
        <source>Aide de Zenolune</source>
        <translation>Zenolune Help</translation>
    </message>
    <message>
        <source>Sommaire</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>FenetreGraphique</name>
    <message>
        <source>Graphique</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Enregistrer le graphique</source>
        <translation>Save the chart</translation>
    </message>
    <message>
        <source>PDF (*.pdf);;SVG (*.svg);;PNG (*.png)</source>
        <translation>PDF (*.pdf);;SVG (*.svg);;PNG (*.png)</translation>
    </message>
    <message>
        <source>◀ &amp;Précédent</source>
        <translation>◀ &amp;Previous</translation>
    </message>
    <message>
        <source>&amp;Suivant ▶</source>
        <translation>&amp;Next ▶</translation>
    </message>
    <message>
        <source>&amp;Ce mois-ci</source>
        <translation>&amp;This month</translation>
    </message>
    <message>
        <source>Heures TU</source>
        <translation>UT hours</translation>
    </message>
    <message>
        <source>Heures civiles (TU-TC)</source>
        <translation>Civil hours (UT-CT)</translation>
    </message>
    <message>
        <source>Le format de papier de l&apos;impression et du PDF</source>
        <translation>The paper size of the printout and the PDF</translation>
    </message>
    <message>
        <source>Réduire (touche −, ou Ctrl + molette)</source>
        <translation>Zoom out (− key, or Ctrl + wheel)</translation>
    </message>
    <message>
        <source>Agrandir (touche +, ou Ctrl + molette)</source>
        <translation>Zoom in (+ key, or Ctrl + wheel)</translation>
    </message>
    <message>
        <source>&amp;Imprimer…</source>
        <translation>P&amp;rint…</translation>
    </message>
    <message>
        <source>&amp;Enregistrer…</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>Enregistrer le graphique en PDF (avec le tableau des phénomènes du mois), SVG ou PNG</source>
        <translation>Save the chart as PDF (with the table of the month&apos;s phenomena), SVG or PNG</translation>
    </message>
    <message>
        <source>Calcul du mois…</source>
        <translation>Computing the month…</translation>
    </message>
    <message>
        <source>Calcul impossible : %1</source>
        <translation>Cannot compute: %1</translation>
    </message>
    <message>
        <source>Calcul impossible : %1 (vérifier la « Différence TU-TC » de la fenêtre principale).</source>
        <translation>Cannot compute: %1 (check the main window&apos;s “UT-CT difference”).</translation>
    </message>
    <message>
        <source>%1 — %2 phénomènes des satellites — %3. Survoler une trajectoire pour la lire ; cliquer pour afficher l&apos;instant dans la fenêtre principale.</source>
        <translation>%1 — %2 phenomena of the satellites — %3. Hover over a track to read it; click to show the instant in the main window.</translation>
    </message>
    <message>
        <source>Graphique — %1</source>
        <translation>Chart — %1</translation>
    </message>
    <message>
        <source> (Paris, par défaut)</source>
        <translation> (Paris, by default)</translation>
    </message>
    <message>
        <source>Le graphique n&apos;est pas encore calculé : réessayer dans un instant.</source>
        <translation>The chart is not computed yet: try again in a moment.</translation>
    </message>
    <message>
        <source>Graphique enregistré dans « %1 ».</source>
        <translation>Chart saved to “%1”.</translation>
    </message>
    <message>
        <source>Zenolune — %1</source>
        <translation>Zenolune — %1</translation>
    </message>
    <message>
        <source>Aperçu avant impression</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Les jours et les heures du graphique en Temps Universel, en heure civile selon la « Différence TU-TC » de la fenêtre principale, ou à l&apos;heure locale du lieu d&apos;observation (heure d&apos;été comprise)</source>
        <translation>The chart&apos;s days and hours in Universal Time, in civil time according to the main window&apos;s “UT-CT difference”, or in the local time of the observing place (daylight saving included)</translation>
    </message>
    <message>
        <source> Réglages illisibles, remis à leur valeur par défaut : %1.</source>
        <translation> Unreadable settings, reset to their defaults: %1.</translation>
    </message>
</context>
<context>
    <name>FenetrePhenomenes</name>
    <message>
        <source>Phénomènes</source>
        <translation>Phenomena</translation>
    </message>
    <message>
        <source>Exporter les phénomènes</source>
        <translation>Export the phenomena</translation>
    </message>
    <message>
        <source>phenomenes.csv</source>
        <translation>phenomena.csv</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv);;Tous les fichiers (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>&amp;Lieu et Tache Rouge…</source>
        <translation>P&amp;lace and Red Spot…</translation>
    </message>
    <message>
        <source>Nuit prochaine</source>
        <translation>Coming night</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 h</translation>
    </message>
    <message>
        <source>7 jours</source>
        <translation>7 days</translation>
    </message>
    <message>
        <source>1 mois</source>
        <translation>1 month</translation>
    </message>
    <message>
        <source>Autre</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>&amp;Calculer</source>
        <translation>&amp;Compute</translation>
    </message>
    <message>
        <source>A&amp;nnuler</source>
        <translation>Ca&amp;ncel</translation>
    </message>
    <message>
        <source>&amp;Théorie précise (L1.2)</source>
        <translation>&amp;Precise theory (L1.2)</translation>
    </message>
    <message>
        <source>Les phénomènes et le dessin de la fenêtre principale selon la théorie précise (contacts du centre du satellite)</source>
        <translation>The phenomena and the main window&apos;s drawing in the precise theory (contacts of the satellite&apos;s centre)</translation>
    </message>
    <message>
        <source>Période :</source>
        <translation>Period:</translation>
    </message>
    <message>
        <source>du</source>
        <translation>from</translation>
    </message>
    <message>
        <source>au</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Tous</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Tache Rouge</source>
        <translation>Red Spot</translation>
    </message>
    <message>
        <source>&amp;Observables seulement</source>
        <translation>&amp;Observable only</translation>
    </message>
    <message>
        <source>&amp;Exporter CSV…</source>
        <translation>&amp;Export CSV…</translation>
    </message>
    <message>
        <source>Co&amp;pier</source>
        <translation>Co&amp;py</translation>
    </message>
    <message>
        <source>&amp;Imprimer…</source>
        <translation>P&amp;rint…</translation>
    </message>
    <message>
        <source>Imprimer le tableau tel qu&apos;il est affiché, avec un aperçu</source>
        <translation>Print the table as shown, with a preview</translation>
    </message>
    <message>
        <source>PD&amp;F…</source>
        <translation>PD&amp;F…</translation>
    </message>
    <message>
        <source>Enregistrer le tableau affiché en PDF (A4)</source>
        <translation>Save the table shown as PDF (A4)</translation>
    </message>
    <message>
        <source>Agen&amp;da (.ics)…</source>
        <translation>Calen&amp;dar (.ics)…</translation>
    </message>
    <message>
        <source>Les lignes choisies (toutes celles affichées si aucune ne l&apos;est) dans un fichier iCalendar pour l&apos;agenda du téléphone ou de l&apos;ordinateur</source>
        <translation>The chosen rows (every row shown if none is chosen) in an iCalendar file for the calendar of a phone or a computer</translation>
    </message>
    <message>
        <source>Satellite :</source>
        <translation>Satellite:</translation>
    </message>
    <message>
        <source>Double-cliquer sur une ligne pour afficher cet instant dans la fenêtre principale</source>
        <translation>Double-click a row to show that instant in the main window</translation>
    </message>
    <message>
        <source> (Paris, par défaut : à régler)</source>
        <translation> (Paris, by default: to be set)</translation>
    </message>
    <message>
        <source>La « Différence TU-TC » de la fenêtre principale n&apos;est pas un nombre.</source>
        <translation>The main window&apos;s “UT-CT difference” is not a number.</translation>
    </message>
    <message>
        <source>Le début</source>
        <translation>The beginning</translation>
    </message>
    <message>
        <source>La fin</source>
        <translation>The end</translation>
    </message>
    <message>
        <source>Calcul en cours…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>Calcul impossible : %1</source>
        <translation>Cannot compute: %1</translation>
    </message>
    <message>
        <source>%1 lignes exportées dans « %2 ».</source>
        <translation>%1 rows exported to “%2”.</translation>
    </message>
    <message>
        <source>%1 lignes copiées dans le presse-papiers.</source>
        <translation>%1 rows copied to the clipboard.</translation>
    </message>
    <message>
        <source>Phénomènes du %1 au %2</source>
        <translation>Phenomena from %1 to %2</translation>
    </message>
    <message>
        <source>Lieu : %1</source>
        <translation>Place: %1</translation>
    </message>
    <message>
        <source>%1 lignes enregistrées en PDF dans « %2 ».</source>
        <translation>%1 rows saved as PDF to “%2”.</translation>
    </message>
    <message>
        <source>Aucun phénomène à mettre dans l&apos;agenda : la liste affichée est vide.</source>
        <translation>No phenomenon to put in the calendar: the list shown is empty.</translation>
    </message>
    <message>
        <source>%1 événements écrits dans l&apos;agenda « %2 ».</source>
        <translation>%1 events written to the calendar “%2”.</translation>
    </message>
    <message>
        <source>Aperçu avant impression</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Enregistrer les phénomènes en PDF</source>
        <translation>Save the phenomena as PDF</translation>
    </message>
    <message>
        <source>phenomenes.pdf</source>
        <translation>phenomena.pdf</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Exporter vers l&apos;agenda (iCalendar)</source>
        <translation>Export to the calendar (iCalendar)</translation>
    </message>
    <message>
        <source>phenomenes.ics</source>
        <translation>phenomena.ics</translation>
    </message>
    <message>
        <source>iCalendar (*.ics);;Tous les fichiers (*)</source>
        <translation>iCalendar (*.ics);;All files (*)</translation>
    </message>
    <message>
        <source>Début, en heure locale du lieu (fuseau du lieu d&apos;observation)</source>
        <translation>Start, in the place&apos;s local time (the observing place&apos;s time zone)</translation>
    </message>
    <message>
        <source>Fin, en heure locale du lieu (fuseau du lieu d&apos;observation)</source>
        <translation>End, in the place&apos;s local time (the observing place&apos;s time zone)</translation>
    </message>
    <message>
        <source>CSV français (; et virgule décimale)</source>
        <translation>French CSV (; and decimal comma)</translation>
    </message>
    <message>
        <source>CSV international (, et point décimal)</source>
        <translation>International CSV (, and decimal point)</translation>
    </message>
    <message>
        <source>La forme des fichiers exportés et du texte copié</source>
        <translation>The form of the exported files and of the copied text</translation>
    </message>
    <message>
        <source> — heure locale : %1</source>
        <translation> — local time: %1</translation>
    </message>
    <message>
        <source> — réglages illisibles, remis à leur valeur par défaut : %1</source>
        <translation> — unreadable settings, reset to their defaults: %1</translation>
    </message>
    <message>
        <source>Phénomènes — nuit prochaine</source>
        <translation>Phenomena — coming night</translation>
    </message>
    <message>
        <source>Phénomènes — soleil de minuit : pas de nuit, les 24 heures qui viennent</source>
        <translation>Phenomena — midnight sun: no night, the next 24 hours</translation>
    </message>
    <message>
        <source>Phénomènes — nuit polaire : 24 heures sans lever du Soleil</source>
        <translation>Phenomena — polar night: 24 hours without sunrise</translation>
    </message>
    <message>
        <source>La période dépasse %1 ans : la fenêtre n&apos;est pas faite pour cela. Pour une période plus longue, utilisez zenolune-ephem --events, qui écrit chaque ligne dès qu&apos;elle est trouvée.</source>
        <translation>The range exceeds %1 years: the window is not made for that. For a longer range, use zenolune-ephem --events, which writes each row as soon as it is found.</translation>
    </message>
    <message>
        <source>Calcul annulé : %1 phénomènes trouvés avant l&apos;arrêt</source>
        <translation>Computation cancelled: %1 phenomena found before the stop</translation>
    </message>
    <message>
        <source>%1 phénomènes, dont %2 observables, du %3 au %4 (heure locale, %5)</source>
        <translation>%1 phenomena, %2 of them observable, from %3 to %4 (local time, %5)</translation>
    </message>
    <message>
        <source> ; le filtre les cache tous.</source>
        <translation>; the filter hides them all.</translation>
    </message>
    <message>
        <source> ; %1 affichés par le filtre.</source>
        <translation>; %1 shown by the filter.</translation>
    </message>
    <message>
        <source> Double-cliquer sur une ligne pour l&apos;afficher.</source>
        <translation> Double-click a row to show it.</translation>
    </message>
    <message>
        <source>La théorie a changé : le calcul reprendra avec elle.</source>
        <translation>The theory changed: the computation will start again with it.</translation>
    </message>
    <message>
        <source>heure locale (%1)</source>
        <translation>local time (%1)</translation>
    </message>
    <message>
        <source>Saison des phénomènes mutuels</source>
        <translation>Season of mutual events</translation>
    </message>
    <message>
        <source>Phénomènes mutuels</source>
        <translation>Mutual events</translation>
    </message>
    <message>
        <source> Attention : période hors de %1, la théorie précise (et les phénomènes mutuels) y perd sa précision.</source>
        <translation> Caution: period outside %1, where the precise theory (and so the mutual events) loses its accuracy.</translation>
    </message>
    <message>
        <source>&amp;Réduire une observation…</source>
        <translation>&amp;Reduce an observation…</translation>
    </message>
    <message>
        <source>Lieu : %1%2 — observable : Jupiter à %3° au moins, Soleil à %4° au plus, phénomènes mutuels d&apos;au moins %5 mag</source>
        <translation>Place: %1%2 — observable: Jupiter at least at %3°, Sun at most at %4°, mutual events of at least %5 mag</translation>
    </message>
    <message>
        <source>%1 de la période n&apos;est pas une date (%2 Heure:Minute:Seconde, années 100 à 9999).</source>
        <translation>%1 of the period is not a date (%2 Hour:Minute:Second, years 100 to 9999).</translation>
    </message>
    <message>
        <source>Année en cours</source>
        <translation>Current year</translation>
    </message>
    <message>
        <source>Approximations mutuelles</source>
        <translation>Mutual approximations</translation>
    </message>
    <message numerus="yes">
        <source> Approximations mutuelles : %n, à l&apos;instant central, vues du lieu.</source>
        <translation>
            <numerusform> Mutual approximations: %n, at the central instant, seen from the place.</numerusform>
            <numerusform> Mutual approximations: %n, at the central instant, seen from the place.</numerusform>
        </translation>
    </message>
    <message>
        <source>Deux satellites au plus près l&apos;un de l&apos;autre sur le ciel, vus du lieu ; théorie précise (%1)</source>
        <translation>Two satellites closest to each other on the sky, seen from the place; precise theory (%1)</translation>
    </message>
    <message numerus="yes">
        <source> Phénomènes mutuels : %n, à l&apos;heure du maximum ; toujours selon la théorie précise (%1).</source>
        <translation>
            <numerusform> Mutual events: %n, at the time of the maximum; always in the precise theory (%1).</numerusform>
            <numerusform> Mutual events: %n, at the time of the maximum; always in the precise theory (%1).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FenetreReduction</name>
    <message>
        <source>Réduire une observation</source>
        <translation>Reduce an observation</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Une date et une heure TU proches du maximum (à 24 h près)</source>
        <translation>A UT date and time near the maximum (within 24 h)</translation>
    </message>
    <message>
        <source>C&amp;hercher</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>Phénomène :</source>
        <translation>Event:</translation>
    </message>
    <message>
        <source>vers (TU) :</source>
        <translation>near (UT):</translation>
    </message>
    <message>
        <source>&amp;Fichier…</source>
        <translation>&amp;File…</translation>
    </message>
    <message>
        <source>Temps : Jours Juliens TU ou date-heure ISO TU</source>
        <translation>Time: Julian Days UT or ISO date-times UT</translation>
    </message>
    <message>
        <source>&amp;Magnitudes</source>
        <translation>&amp;Magnitudes</translation>
    </message>
    <message>
        <source>La colonne des flux donne des magnitudes (converties en flux)</source>
        <translation>The flux column gives magnitudes (converted to flux)</translation>
    </message>
    <message>
        <source>Courbe observée :</source>
        <translation>Observed curve:</translation>
    </message>
    <message>
        <source>Temps :</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Flux :</source>
        <translation>Flux:</translation>
    </message>
    <message>
        <source>Incertitude :</source>
        <translation>Uncertainty:</translation>
    </message>
    <message>
        <source>Exporter l&apos;&amp;image…</source>
        <translation>Export the &amp;image…</translation>
    </message>
    <message>
        <source>Exporter le &amp;rapport…</source>
        <translation>Export the re&amp;port…</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Phénomène illisible « %1 » : un chiffre de 1 à 4, O (occultation) ou E (éclipse), un autre chiffre (1 Io, 2 Europe, 3 Ganymède, 4 Callisto), par exemple 1O2 — champ « Phénomène »</source>
        <translation>Unreadable event “%1”: a digit 1 to 4, O (occultation) or E (eclipse), another digit (1 Io, 2 Europa, 3 Ganymede, 4 Callisto), for example 1O2 — field “Event”</translation>
    </message>
    <message>
        <source>Date illisible : %1 — champ « vers (TU) »</source>
        <translation>Unreadable date: %1 — field “near (UT)”</translation>
    </message>
    <message>
        <source>Aucun phénomène %1 à moins de 24 h du %2 TU.</source>
        <translation>No %1 event within 24 h of %2 UT.</translation>
    </message>
    <message>
        <source>Courbe de lumière illisible « %1 » : %2</source>
        <translation>Unreadable light curve “%1”: %2</translation>
    </message>
    <message>
        <source>(aucune)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>colonne %1</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>Ces colonnes ne donnent pas de courbe de lumière : %1</source>
        <translation>These columns give no light curve: %1</translation>
    </message>
    <message>
        <source>indéterminé</source>
        <translation>undetermined</translation>
    </message>
    <message>
        <source>Donnez le phénomène (code et date TU), puis « Chercher ».</source>
        <translation>Give the event (code and UT date), then “Search”.</translation>
    </message>
    <message>
        <source>%1 points hors de la fenêtre du phénomène non utilisés.</source>
        <translation>%1 points outside the event&apos;s window not used.</translation>
    </message>
    <message>
        <source>Réduction impossible : %1.</source>
        <translation>Cannot reduce: %1.</translation>
    </message>
    <message>
        <source>Échec : %1.</source>
        <translation>Failed: %1.</translation>
    </message>
    <message>
        <source>&lt;b&gt;L&apos;ajustement n&apos;a pas convergé.&lt;/b&gt;</source>
        <translation>&lt;b&gt;The fit did not converge.&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Maximum prévu (TU)</source>
        <translation>Predicted maximum (UT)</translation>
    </message>
    <message>
        <source>Maximum observé (TU)</source>
        <translation>Observed maximum (UT)</translation>
    </message>
    <message>
        <source>Incertitude (1 σ)</source>
        <translation>Uncertainty (1 σ)</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>O−C</source>
        <translation>O−C</translation>
    </message>
    <message>
        <source>%1%2 s</source>
        <translation>%1%2 s</translation>
    </message>
    <message>
        <source>Profondeur observée</source>
        <translation>Observed depth</translation>
    </message>
    <message>
        <source>%1 ± %2</source>
        <translation>%1 ± %2</translation>
    </message>
    <message>
        <source>Chute observée</source>
        <translation>Observed drop</translation>
    </message>
    <message>
        <source>%1 mag (prévue %2)</source>
        <translation>%1 mag (predicted %2)</translation>
    </message>
    <message>
        <source>Paramètre d&apos;impact</source>
        <translation>Impact parameter</translation>
    </message>
    <message>
        <source>%1 ± %2 km</source>
        <translation>%1 ± %2 km</translation>
    </message>
    <message>
        <source>Prévu</source>
        <translation>Predicted</translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
    <message>
        <source>χ² réduit</source>
        <translation>Reduced χ²</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>&lt;p&gt;Sans incertitudes dans le fichier : poids égaux, incertitudes tirées de la dispersion.&lt;/p&gt;</source>
        <translation>&lt;p&gt;No uncertainties in the file: equal weights, uncertainties from the scatter.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Le dessin n&apos;a pas pu être produit pour « %1 ».</source>
        <translation>The drawing could not be made for “%1”.</translation>
    </message>
    <message>
        <source>Écrit : « %1 ».</source>
        <translation>Written: “%1”.</translation>
    </message>
    <message>
        <source>Pas de réduction à exporter : %1</source>
        <translation>No reduction to export: %1</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Image SVG (*.svg)</source>
        <translation>PNG image (*.png);;SVG image (*.svg)</translation>
    </message>
    <message>
        <source>Texte (*.txt);;Tous les fichiers (*)</source>
        <translation>Text (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Le flux de comparaison (un troisième satellite) par lequel le flux est divisé</source>
        <translation>The comparison flux (a third satellite) by which the flux is divided</translation>
    </message>
    <message>
        <source>Comparaison :</source>
        <translation>Comparison:</translation>
    </message>
    <message>
        <source>%1 (%2, %3) : début %4, maximum %5, fin %6 TU ; chute prévue %7 mag ; %8</source>
        <translation>%1 (%2, %3): start %4, maximum %5, end %6 UT; predicted drop %7 mag; %8</translation>
    </message>
    <message>
        <source>vu du lieu d&apos;observation (topocentrique)</source>
        <translation>seen from the observing place (topocentric)</translation>
    </message>
    <message>
        <source>géocentrique : lieu d&apos;observation non réglé</source>
        <translation>geocentric: observing place not set</translation>
    </message>
    <message>
        <source>%1 lignes lues dans « %2 » (%3).</source>
        <translation>%1 rows read in “%2” (%3).</translation>
    </message>
    <message>
        <source>Attention : %1.</source>
        <translation>Warning: %1.</translation>
    </message>
    <message>
        <source>Courbe de lumière observée ou enregistrement</source>
        <translation>Observed light curve or recording</translation>
    </message>
    <message>
        <source>Courbes et enregistrements (*.csv *.txt *.tsv *.dat *.ser *.fits *.fit *.fts *.avi *.mp4 *.mov *.mkv);;Fichiers CSV ou texte (*.csv *.txt *.tsv *.dat);;Enregistrements SER, FITS ou vidéo (*.ser *.fits *.fit *.fts *.avi *.mp4 *.mov *.mkv);;Tous les fichiers (*)</source>
        <translation>Curves and recordings (*.csv *.txt *.tsv *.dat *.ser *.fits *.fit *.fts *.avi *.mp4 *.mov *.mkv);;CSV or text files (*.csv *.txt *.tsv *.dat);;SER, FITS or video recordings (*.ser *.fits *.fit *.fts *.avi *.mp4 *.mov *.mkv);;All files (*)</translation>
    </message>
    <message>
        <source>Un fichier CSV ou un enregistrement SER, FITS, AVI, MP4 (ou déposez-le sur la fenêtre)</source>
        <translation>A CSV file or a SER, FITS, AVI, MP4 recording (or drop it onto the window)</translation>
    </message>
    <message>
        <source>%v images sur %m</source>
        <translation>%v frames of %m</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Enregistrer la &amp;courbe mesurée…</source>
        <translation>Save the measured &amp;curve…</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas une image FITS : choisissez un seul fichier (courbe CSV ou enregistrement), ou plusieurs fichiers FITS d&apos;une séquence (une image par fichier).</source>
        <translation>“%1” is not a FITS image: choose one file (CSV curve or recording), or several FITS files of a sequence (one frame per file).</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas ouvert : sans l&apos;heure TU de sa première image et sa cadence, ses images n&apos;ont pas d&apos;heure.</source>
        <translation>“%1” is not opened: without the UT of its first frame and its frame rate, its frames have no time.</translation>
    </message>
    <message>
        <source>Enregistrement illisible : %1</source>
        <translation>Unreadable recording: %1</translation>
    </message>
    <message>
        <source>%1 (séquence de %2 images FITS)</source>
        <translation>%1 (sequence of %2 FITS frames)</translation>
    </message>
    <message>
        <source>Arrêt de la mesure…</source>
        <translation>Stopping the measurement…</translation>
    </message>
    <message>
        <source>la mesure s&apos;est arrêtée sans résultat</source>
        <translation>the measurement stopped without a result</translation>
    </message>
    <message>
        <source>Mesure impossible de « %1 » : %2</source>
        <translation>Cannot measure “%1”: %2</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv);;Tous les fichiers (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Mesure arrêtée : la fenêtre a été fermée.</source>
        <translation>Measurement stopped: the window was closed.</translation>
    </message>
    <message>
        <source>Enregistrement</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>aucune</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Mesure</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>couple %1 + %2, comparaison %3</source>
        <translation>pair %1 + %2, comparison %3</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>%1 lues, %2 gardées ; %3</source>
        <translation>%1 read, %2 kept; %3</translation>
    </message>
    <message>
        <source>aucune écartée</source>
        <translation>none dropped</translation>
    </message>
    <message>
        <source>Identification</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>%1 px par rayon de Jupiter, rotation %2°, %3, écart quadratique %4 px ; %5 sources, nommées : %6</source>
        <translation>%1 px per Jupiter radius, rotation %2°, %3, rms %4 px; %5 sources, named: %6</translation>
    </message>
    <message>
        <source>image retournée</source>
        <translation>image mirrored</translation>
    </message>
    <message>
        <source>image non retournée</source>
        <translation>image not mirrored</translation>
    </message>
    <message>
        <source>annulée après %1 images</source>
        <translation>cancelled after %1 frames</translation>
    </message>
    <message>
        <source>Mesure de « %1 » : Jupiter et les satellites cherchés, nommés puis suivis image par image…</source>
        <translation>Measuring “%1”: Jupiter and the satellites found, named, then followed frame by frame…</translation>
    </message>
    <message>
        <source>Mesure annulée après %1 images sur %2 : la courbe partielle n&apos;est pas ajustée.</source>
        <translation>Measurement cancelled after %1 frames of %2: the partial curve is not fitted.</translation>
    </message>
    <message>
        <source>%1 images mesurées dans « %2 », %3 gardées.</source>
        <translation>%1 frames measured in “%2”, %3 kept.</translation>
    </message>
    <message>
        <source>Mesure de l&apos;enregistrement en cours…</source>
        <translation>Measuring the recording…</translation>
    </message>
    <message>
        <source>Pas encore de résultat : choisissez le phénomène et le fichier de votre courbe de lumière ou votre enregistrement (« Fichier… »), ou déposez-le sur la fenêtre.</source>
        <translation>No result yet: choose the event and the file of your light curve or your recording (“File…”), or drop it onto the window.</translation>
    </message>
    <message>
        <source>%1 lignes lues dans « %2 ».</source>
        <translation>%1 rows read from “%2”.</translation>
    </message>
    <message>
        <source>Le phénomène, par exemple 1O2 (Io occulte Europe) ou 3E2 (Ganymède éclipse Europe), ou l&apos;approximation mutuelle, par exemple 1A2 (Io et Europe au plus près)</source>
        <translation>The event, for example 1O2 (Io occults Europa) or 3E2 (Ganymede eclipses Europa), or the mutual approximation, for example 1A2 (Io and Europa closest)</translation>
    </message>
    <message>
        <source>Aucune approximation %1 à moins de %2″ et de 24 h du %3 TU.</source>
        <translation>No approximation %1 within %2″ and 24 h of %3 UT.</translation>
    </message>
    <message>
        <source>Piste illisible « %1 » : %2 — il faut le temps (JJ TU ou ISO TU) et Δx, Δy (colonnes dx, dy) ou la distance (colonne distance)</source>
        <translation>Unreadable track &quot;%1&quot;: %2 — it needs the time (JD UTC or ISO UTC) and Δx, Δy (columns dx, dy) or the distance (column distance)</translation>
    </message>
    <message>
        <source>%1 (approximation de %2, %3) : instant central %4 TU, distance %5″, vitesse %6 mas/s</source>
        <translation>%1 (approximation of %2, %3): central instant %4 UT, distance %5″, speed %6 mas/s</translation>
    </message>
    <message>
        <source>topocentrique</source>
        <translation>topocentric</translation>
    </message>
    <message>
        <source>géocentrique</source>
        <translation>geocentric</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Instant central prévu (TU)</source>
        <translation>Predicted central instant (UT)</translation>
    </message>
    <message>
        <source>Instant central observé (TU)</source>
        <translation>Observed central instant (UT)</translation>
    </message>
    <message>
        <source>%1 s (%2 mas)</source>
        <translation>%1 s (%2 mas)</translation>
    </message>
    <message>
        <source>Distance minimale</source>
        <translation>Least distance</translation>
    </message>
    <message>
        <source>O−C distance</source>
        <translation>O−C distance</translation>
    </message>
    <message>
        <source>Courbure</source>
        <translation>Curvature</translation>
    </message>
    <message>
        <source>ajustée</source>
        <translation>fitted</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>centres de %1 et %2 suivis image par image</source>
        <translation>centres of %1 and %2 followed frame by frame</translation>
    </message>
    <message>
        <source>Pas encore de résultat : choisissez le fichier de la piste observée (temps et Δx, Δy, ou distance) ou l&apos;enregistrement (« Fichier… »).</source>
        <translation>No result yet: choose the file of the observed track (time and Δx, Δy, or distance) or the recording (“File…”).</translation>
    </message>
    <message>
        <source>Enregistrer la &amp;piste mesurée…</source>
        <translation>Save the measured &amp;track…</translation>
    </message>
    <message>
        <source>La piste mesurée sur l&apos;enregistrement en CSV : image, TU, Δx et Δy du second satellite depuis le premier, relue par « Fichier… »</source>
        <translation>The track measured on the recording as CSV: frame, UT, Δx and Δy of the second satellite from the first, read back by &quot;File…&quot;</translation>
    </message>
    <message>
        <source>Résidus (écart type)</source>
        <translation>Residuals (standard deviation)</translation>
    </message>
    <message>
        <source>La courbe mesurée sur l&apos;enregistrement en CSV : image, TU, flux relatif, flux du couple et de la comparaison (ADU), centres du couple et de la comparaison</source>
        <translation>The curve measured on the recording as CSV: frame, UT, relative flux, flux of the pair and of the comparison (ADU), centres of the pair and of the comparison</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Impossible d&apos;écrire le fichier « %1 » : %2</source>
        <translation>Cannot write the file “%1”: %2</translation>
    </message>
    <message>
        <source>Extension inconnue pour « %1 » : .pdf, .svg ou .png attendu.</source>
        <translation>Unknown extension for “%1”: .pdf, .svg or .png expected.</translation>
    </message>
    <message>
        <source>Le graphique n&apos;a pas pu être dessiné pour « %1 ».</source>
        <translation>The chart could not be drawn for “%1”.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>&amp;Langue / Language</source>
        <translation>&amp;Langue / Language</translation>
    </message>
    <message>
        <source>Français ou anglais, au prochain démarrage / French or English, at the next start</source>
        <translation>Français ou anglais, au prochain démarrage / French or English, at the next start</translation>
    </message>
    <message>
        <source>Zenolune</source>
        <translation>Zenolune</translation>
    </message>
    <message>
        <source>A &amp;Propos</source>
        <translation>A&amp;bout</translation>
    </message>
    <message>
        <source>Ai&amp;de</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Phénomèn&amp;es</source>
        <translation>Phenom&amp;ena</translation>
    </message>
    <message>
        <source>Les phénomènes de la nuit prochaine et ce qui est observable depuis votre lieu</source>
        <translation>The coming night&apos;s phenomena and what can be observed from your place</translation>
    </message>
    <message>
        <source>&amp;Graphique</source>
        <translation>&amp;Chart</translation>
    </message>
    <message>
        <source>Le mois d&apos;un coup d&apos;œil : les trajectoires des satellites, les nuits, la Tache Rouge ; impression et PDF</source>
        <translation>The month at a glance: the satellites&apos; tracks, the nights, the Red Spot; printing and PDF</translation>
    </message>
    <message>
        <source>Date et heure</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Permet d&apos;écrire la date et de lancer le calcul</source>
        <translation>Lets you write the date and start the computation</translation>
    </message>
    <message>
        <source>Ecrire la date ici</source>
        <translation>Write the date here</translation>
    </message>
    <message>
        <source>&amp;Maintenant</source>
        <translation>&amp;Now</translation>
    </message>
    <message>
        <source>Affiche l&apos;heure actuelle système</source>
        <translation>Shows the system&apos;s current time</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Lancement du calcul</source>
        <translation>Starts the computation</translation>
    </message>
    <message>
        <source>Différence TU-TC:</source>
        <translation>UT-CT difference:</translation>
    </message>
    <message>
        <source>Jour Julien:</source>
        <translation>Julian Day:</translation>
    </message>
    <message>
        <source>Date et Heure TU:</source>
        <translation>UT Date and Time:</translation>
    </message>
    <message>
        <source>Modification</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Permet de modifier aisement la date </source>
        <translation>Lets you change the date easily</translation>
    </message>
    <message>
        <source>Valeur:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>Ecrire ici le NOMBRE de jours, d&apos;heures, etc... à ajouter ou retrancher à l&apos;heure courante  </source>
        <translation>Write here the NUMBER of days, hours, etc. to add to or subtract from the current time</translation>
    </message>
    <message>
        <source>Permet de modifier la valeur</source>
        <translation>Lets you change the value</translation>
    </message>
    <message>
        <source>&amp;Ajouter</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>Incrémente la valeur de date</source>
        <translation>Moves the date forwards</translation>
    </message>
    <message>
        <source>&amp;Retrancher</source>
        <translation>&amp;Subtract</translation>
    </message>
    <message>
        <source>Décrémente la valeur de date</source>
        <translation>Moves the date backwards</translation>
    </message>
    <message>
        <source>Animation:</source>
        <translation>Animation:</translation>
    </message>
    <message>
        <source>Marche</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Informations</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Information générales sur Jupiter et ses Satellites</source>
        <translation>General information on Jupiter and its satellites</translation>
    </message>
    <message>
        <source>Méridien central de Jupiter: Système I:</source>
        <translation>Jupiter&apos;s central meridian: System I:</translation>
    </message>
    <message>
        <source>Système II:</source>
        <translation>System II:</translation>
    </message>
    <message>
        <source>Méridien central de Jupiter: </source>
        <translation>Jupiter&apos;s central meridian: </translation>
    </message>
    <message>
        <source>Phénomènes remarquables:</source>
        <translation>Notable phenomena:</translation>
    </message>
    <message>
        <source>Animation dans Fenètre Réduite</source>
        <translation>Animation in Reduced Window</translation>
    </message>
    <message>
        <source>Inversion Est-Ouest</source>
        <translation>East-West Flip</translation>
    </message>
    <message>
        <source>Inversion Nord-Sud</source>
        <translation>North-South Flip</translation>
    </message>
    <message>
        <source>SUD</source>
        <translation>SOUTH</translation>
    </message>
    <message>
        <source>NORD</source>
        <translation>NORTH</translation>
    </message>
    <message>
        <source>OUEST</source>
        <translation>WEST</translation>
    </message>
    <message>
        <source>EST</source>
        <translation>EAST</translation>
    </message>
    <message>
        <source>&amp;Théorie précise (L1.2)</source>
        <translation>&amp;Precise theory (L1.2)</translation>
    </message>
    <message>
        <source>Satellites L1.2, planètes VSOP87, temps de lumière, Jupiter aplati : horaires à quelques secondes</source>
        <translation>L1.2 satellites, VSOP87 planets, light-time, oblate Jupiter: times to a few seconds</translation>
    </message>
    <message>
        <source> — champ « %1 »</source>
        <translation> — field “%1”</translation>
    </message>
    <message>
        <source>Différence TU-TC</source>
        <translation>UT-CT difference</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source> — date hors de %1 : précision réduite</source>
        <translation> — date outside %1: reduced accuracy</translation>
    </message>
    <message>
        <source>Valeur</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Arrêt</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>A&amp;nnée</source>
        <translation>&amp;Year</translation>
    </message>
    <message>
        <source>Moi&amp;s</source>
        <translation>&amp;Month</translation>
    </message>
    <message>
        <source>&amp;Jour</source>
        <translation>&amp;Day</translation>
    </message>
    <message>
        <source>&amp;Heure</source>
        <translation>Ho&amp;ur</translation>
    </message>
    <message>
        <source>M&amp;inute</source>
        <translation>M&amp;inute</translation>
    </message>
    <message>
        <source>Temps &amp;Réel</source>
        <translation>&amp;Real Time</translation>
    </message>
    <message>
        <source>Io:</source>
        <translation>Io:</translation>
    </message>
    <message>
        <source>Europe:</source>
        <translation>Europa:</translation>
    </message>
    <message>
        <source>Ganymède:</source>
        <translation>Ganymede:</translation>
    </message>
    <message>
        <source>Callisto:</source>
        <translation>Callisto:</translation>
    </message>
    <message>
        <source>Entouré : %1 et %2, le couple du phénomène mutuel choisi</source>
        <translation>Ringed: %1 and %2, the pair of the chosen mutual event</translation>
    </message>
    <message>
        <source>A écrire sous la forme    %1   Heure:Minute:Seconde</source>
        <translation>To be written as    %1   Hour:Minute:Second</translation>
    </message>
    <message>
        <source>Zenolune — théorie précise, %1</source>
        <translation>Zenolune — precise theory, %1</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Zenolune</source>
        <translation>Zenolune</translation>
    </message>
    <message>
        <source>Agrandir</source>
        <translation>Enlarge</translation>
    </message>
    <message>
        <source>Inversion Est-Ouest</source>
        <translation>East-West Flip</translation>
    </message>
    <message>
        <source>Invesion Nord-Sud</source>
        <translation>North-South Flip</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
</context>
<context>
    <name>Graphique</name>
    <message>
        <source>janvier</source>
        <translation>January</translation>
    </message>
    <message>
        <source>février</source>
        <translation>February</translation>
    </message>
    <message>
        <source>mars</source>
        <translation>March</translation>
    </message>
    <message>
        <source>avril</source>
        <translation>April</translation>
    </message>
    <message>
        <source>mai</source>
        <translation>May</translation>
    </message>
    <message>
        <source>juin</source>
        <translation>June</translation>
    </message>
    <message>
        <source>juillet</source>
        <translation>July</translation>
    </message>
    <message>
        <source>août</source>
        <translation>August</translation>
    </message>
    <message>
        <source>septembre</source>
        <translation>September</translation>
    </message>
    <message>
        <source>octobre</source>
        <translation>October</translation>
    </message>
    <message>
        <source>novembre</source>
        <translation>November</translation>
    </message>
    <message>
        <source>décembre</source>
        <translation>December</translation>
    </message>
    <message>
        <source>EST</source>
        <translation>EAST</translation>
    </message>
    <message>
        <source>OUEST</source>
        <translation>WEST</translation>
    </message>
    <message>
        <source>Jupiter</source>
        <translation>Jupiter</translation>
    </message>
    <message>
        <source>éclipsé ou occulté</source>
        <translation>eclipsed or occulted</translation>
    </message>
    <message>
        <source>passage devant Jupiter</source>
        <translation>transit in front of Jupiter</translation>
    </message>
    <message>
        <source>ombre sur Jupiter (une colonne par satellite)</source>
        <translation>shadow on Jupiter (one lane per satellite)</translation>
    </message>
    <message>
        <source>Tache Rouge au méridien central</source>
        <translation>Red Spot on the central meridian</translation>
    </message>
    <message>
        <source>nuit au lieu d&apos;observation</source>
        <translation>night at the observing place</translation>
    </message>
    <message>
        <source>◆ phénomène mutuel</source>
        <translation>◆ mutual event</translation>
    </message>
    <message>
        <source>lun.</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>mar.</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>mer.</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>jeu.</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>ven.</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>sam.</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>dim.</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>○ approximation mutuelle</source>
        <translation>○ mutual approximation</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Langue du système / System language</source>
        <translation>Langue du système / System language</translation>
    </message>
    <message>
        <source>La langue choisie s&apos;appliquera au prochain démarrage de Zenolune.
The chosen language applies the next time Zenolune starts.</source>
        <translation>La langue choisie s&apos;appliquera au prochain démarrage de Zenolune.
The chosen language applies the next time Zenolune starts.</translation>
    </message>
</context>
<context>
    <name>LightCurveFit</name>
    <message>
        <source>du %1 au %2 TU</source>
        <translation>from %1 to %2 UT</translation>
    </message>
    <message>
        <source>les instants du fichier (du %1 au %2 TU) sont hors de la fenêtre du phénomène %3 (%4) : vérifiez le phénomène choisi et la colonne des temps</source>
        <translation>the file&apos;s times (from %1 to %2 UT) are outside the window of event %3 (%4): check the chosen event and the time column</translation>
    </message>
    <message>
        <source>trop peu de points : %1 dans la fenêtre du phénomène (%2), il en faut au moins %3</source>
        <translation>too few points: %1 in the event&apos;s window (%2), at least %3 are needed</translation>
    </message>
    <message>
        <source>trop peu de points pendant le phénomène (du %1 au %2 TU) : %3, il en faut au moins %4</source>
        <translation>too few points during the event (from %1 to %2 UT): %3, at least %4 are needed</translation>
    </message>
    <message>
        <source>aucun point à ajuster</source>
        <translation>no point to fit</translation>
    </message>
    <message>
        <source>le phénomène %1 n&apos;a pas de mouvement relatif connu</source>
        <translation>event %1 has no known relative motion</translation>
    </message>
    <message>
        <source>tous les flux sont égaux (%1) : il n&apos;y a pas de courbe de lumière à ajuster</source>
        <translation>all fluxes are equal (%1): there is no light curve to fit</translation>
    </message>
    <message>
        <source>mémoire insuffisante pour l&apos;ajustement</source>
        <translation>not enough memory for the fit</translation>
    </message>
    <message>
        <source>atteint après %1 itérations : décalage %2 s, paramètre d&apos;impact %3 km, χ² réduit %4</source>
        <translation>reached after %1 iterations: shift %2 s, impact parameter %3 km, reduced χ² %4</translation>
    </message>
    <message>
        <source>l&apos;ajustement n&apos;a pas convergé (%1) ; %2</source>
        <translation>the fit did not converge (%1); %2</translation>
    </message>
    <message>
        <source>l&apos;ajustement n&apos;a pas donné de valeurs utilisables ; %1</source>
        <translation>the fit gave no usable values; %1</translation>
    </message>
    <message>
        <source>l&apos;ajustement ne trouve plus de baisse d&apos;éclat : le phénomène n&apos;est pas dans les points ; %1</source>
        <translation>the fit finds no drop in light any more: the event is not in the points; %1</translation>
    </message>
    <message>
        <source>l&apos;ajustement ne trouve pas de baisse d&apos;éclat significative (profondeur %1 ± %2) : le phénomène n&apos;est pas dans les points ; %3</source>
        <translation>the fit finds no significant drop in light (depth %1 ± %2): the event is not in the points; %3</translation>
    </message>
    <message>
        <source>l&apos;ajustement place le minimum hors de la fenêtre du phénomène ; %1</source>
        <translation>the fit puts the minimum outside the event&apos;s window; %1</translation>
    </message>
    <message>
        <source>indéterminé</source>
        <translation>undetermined</translation>
    </message>
    <message>
        <source># Zenolune : réduction d&apos;une courbe de lumière de phénomène mutuel
</source>
        <translation># Zenolune: reduction of a light curve of a mutual event
</translation>
    </message>
    <message>
        <source>Phénomène</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>%1 éclipse %2</source>
        <translation>%1 eclipses %2</translation>
    </message>
    <message>
        <source>%1 occulte %2</source>
        <translation>%1 occults %2</translation>
    </message>
    <message>
        <source>Prévision</source>
        <translation>Prediction</translation>
    </message>
    <message>
        <source>Lieu d&apos;observation</source>
        <translation>Observing site</translation>
    </message>
    <message>
        <source>latitude %1°, longitude %2° (est positive), altitude %3 m</source>
        <translation>latitude %1°, longitude %2° (east positive), height %3 m</translation>
    </message>
    <message>
        <source>non réglé</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Colonnes</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>temps %1, flux %2%3%4</source>
        <translation>time %1, flux %2%3%4</translation>
    </message>
    <message>
        <source> (magnitudes)</source>
        <translation> (magnitudes)</translation>
    </message>
    <message>
        <source>, incertitude %1</source>
        <translation>, uncertainty %1</translation>
    </message>
    <message>
        <source>Lignes</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>Ajustement</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Maximum observé (TU)</source>
        <translation>Observed maximum (UT)</translation>
    </message>
    <message>
        <source>%1 ± %2 s (1 σ)</source>
        <translation>%1 ± %2 s (1 σ)</translation>
    </message>
    <message>
        <source>Maximum observé (JD TU)</source>
        <translation>Observed maximum (JD UT)</translation>
    </message>
    <message>
        <source>O-C</source>
        <translation>O-C</translation>
    </message>
    <message>
        <source>%1 ± %2 s</source>
        <translation>%1 ± %2 s</translation>
    </message>
    <message>
        <source>Profondeur observée</source>
        <translation>Observed depth</translation>
    </message>
    <message>
        <source>%1 ± %2 de la lumière du couple (%3 mag)</source>
        <translation>%1 ± %2 of the pair&apos;s light (%3 mag)</translation>
    </message>
    <message>
        <source>Paramètre d&apos;impact</source>
        <translation>Impact parameter</translation>
    </message>
    <message>
        <source>%1 ± %2 km (prévu %3 km)</source>
        <translation>%1 ± %2 km (predicted %3 km)</translation>
    </message>
    <message>
        <source>Ligne de base</source>
        <translation>Baseline</translation>
    </message>
    <message>
        <source>flux %1 ± %2 au maximum prévu, pente %3 ± %4 par heure</source>
        <translation>flux %1 ± %2 at the predicted maximum, slope %3 ± %4 per hour</translation>
    </message>
    <message>
        <source>χ² réduit</source>
        <translation>Reduced χ²</translation>
    </message>
    <message>
        <source>%1 (%2), résidus %3 (écart type relatif)</source>
        <translation>%1 (%2), residuals %3 (relative standard deviation)</translation>
    </message>
    <message>
        <source>pondéré par les incertitudes du fichier</source>
        <translation>weighted by the file&apos;s uncertainties</translation>
    </message>
    <message>
        <source>poids égaux</source>
        <translation>equal weights</translation>
    </message>
    <message>
        <source>Méthode</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>moindres carrés non linéaires (GSL, Levenberg-Marquardt), %1 itérations ; décalage, impact, échelle du flux et pente de la ligne de base libres ; incertitudes de la covariance multipliée par le χ² réduit</source>
        <translation>nonlinear least squares (GSL, Levenberg-Marquardt), %1 iterations; shift, impact, flux scale and baseline slope free; uncertainties from the covariance times the reduced χ²</translation>
    </message>
    <message>
        <source>la courbe s&apos;éclaircit là où le phénomène l&apos;assombrit (au décalage %1 s, %2 σ) : données inversées ? des flux lus comme des magnitudes, ou l&apos;inverse (case « Magnitudes », --magnitudes)</source>
        <translation>the curve brightens where the event dims it (at shift %1 s, %2 σ): inverted data? fluxes read as magnitudes, or the reverse (“Magnitudes” box, --magnitudes)</translation>
    </message>
    <message>
        <source>le minimum ajusté (%1 TU) n&apos;est pas entouré de points : %2 avant et %3 après lui pendant le phénomène ajusté ; %4</source>
        <translation>the fitted minimum (%1 UT) is not surrounded by points: %2 before and %3 after it during the fitted event; %4</translation>
    </message>
    <message>
        <source>la profondeur ajustée (%1) vaut %2 fois la prévue (%3) : ce n&apos;est pas ce phénomène ; %4</source>
        <translation>the fitted depth (%1) is %2 times the predicted one (%3): this is not that event; %4</translation>
    </message>
    <message>
        <source>un seul point porte %1 % du poids sur l&apos;instant du minimum : vérifiez ses incertitudes ; %2</source>
        <translation>a single point carries %1 % of the weight on the time of the minimum: check its uncertainties; %2</translation>
    </message>
    <message>
        <source>profondeur observée %1 fois la prévue : lumière parasite (Jupiter) ou comparaison dans l&apos;ouverture ? l&apos;instant du minimum reste sûr, le paramètre d&apos;impact non</source>
        <translation>observed depth %1 times the predicted one: stray light (Jupiter) or the comparison in the aperture? the time of the minimum stays sound, the impact parameter does not</translation>
    </message>
    <message numerus="yes">
        <source>%n point(s) écarté(s) à plus de 5 σ du modèle</source>
        <translation>
            <numerusform>%n point clipped beyond 5 σ of the model</numerusform>
            <numerusform>%n points clipped beyond 5 σ of the model</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n incertitude(s) relevée(s) à 0,2 fois la médiane</source>
        <translation>
            <numerusform>%n uncertainty raised to 0.2 times the median</numerusform>
            <numerusform>%n uncertainties raised to 0.2 times the median</numerusform>
        </translation>
    </message>
    <message>
        <source>topocentrique (vue du lieu d&apos;observation, parallaxe et temps de lumière de chaque corps)</source>
        <translation>topocentric (seen from the observing place, parallax and light time of each body)</translation>
    </message>
    <message>
        <source>géocentrique (lieu d&apos;observation non réglé)</source>
        <translation>geocentric (observing place not set)</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>%1 lues, %2 illisibles, %3 hors de la fenêtre, %4 écartées à plus de 5 σ, %5 points ajustés</source>
        <translation>%1 read, %2 unreadable, %3 outside the window, %4 clipped beyond 5 σ, %5 points fitted</translation>
    </message>
    <message>
        <source>Contrôles</source>
        <translation>Checks</translation>
    </message>
    <message>
        <source>baisse du signe prévu, minimum entouré de points, profondeur proche de la prévue, aucun point dominant</source>
        <translation>dip of the predicted sign, minimum surrounded by points, depth near the predicted one, no dominant point</translation>
    </message>
    <message>
        <source>théorie précise (%7, VSOP87), %6, début %1, maximum %2, fin %3 TU, chute %4 mag, impact %5 km</source>
        <translation>precise theory (%7, VSOP87), %6, start %1, maximum %2, end %3 UT, drop %4 mag, impact %5 km</translation>
    </message>
</context>
<context>
    <name>LightCurveView</name>
    <message>
        <source>Courbe de lumière prévue : flux des deux satellites ensemble (1 hors du phénomène), en TU</source>
        <translation>Predicted light curve: flux of the two satellites together (1 outside the event), in UT</translation>
    </message>
    <message>
        <source>chute %1 mag</source>
        <translation>drop %1 mag</translation>
    </message>
    <message>
        <source>Temps universel (TU), %1</source>
        <translation>Universal Time (UT), %1</translation>
    </message>
    <message>
        <source>Flux du couple</source>
        <translation>Flux of the pair</translation>
    </message>
    <message>
        <source>début %1</source>
        <translation>start %1</translation>
    </message>
    <message>
        <source>fin %1</source>
        <translation>end %1</translation>
    </message>
    <message>
        <source>maximum %1</source>
        <translation>maximum %1</translation>
    </message>
</context>
<context>
    <name>MutualDiscsView</name>
    <message>
        <source>Les deux disques au maximum, agrandis, orientés comme le dessin de la fenêtre principale ; la ligne grise suit le centre du disque occultant (ou de l&apos;ombre) du début à la fin</source>
        <translation>The two discs at the maximum, magnified, oriented as the main window&apos;s drawing; the grey line follows the centre of the occulting disc (or of the shadow) from start to end</translation>
    </message>
    <message>
        <source>ombre d&apos;%1</source>
        <translation>shadow of %1</translation>
    </message>
    <message>
        <source>ombre de %1</source>
        <translation>shadow of %1</translation>
    </message>
    <message>
        <source>%1 au maximum, %2 TU</source>
        <translation>%1 at maximum, %2 UT</translation>
    </message>
    <message>
        <source>%1 : %2 % de sa lumière perdue</source>
        <translation>%1: %2 % of its light lost</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
</context>
<context>
    <name>MutualEvent</name>
    <message>
        <source>éclipse</source>
        <translation>eclipse</translation>
    </message>
    <message>
        <source>occultation</source>
        <translation>occultation</translation>
    </message>
    <message>
        <source>%1 éclipse %2</source>
        <translation>%1 eclipses %2</translation>
    </message>
    <message>
        <source>%1 occulte %2</source>
        <translation>%1 occults %2</translation>
    </message>
    <message>
        <source>%1 — %2, %3 %4</source>
        <translation>%1 — %2, %4 %3</translation>
    </message>
    <message>
        <source>Les phénomènes mutuels sont toujours calculés avec la théorie précise (%1), quelle que soit la case « Théorie précise ».</source>
        <translation>Mutual events are always computed with the precise theory (%1), whatever the “Precise theory” box says.</translation>
    </message>
</context>
<context>
    <name>MutualEventPanel</name>
    <message>
        <source>%1 h %2 min %3 s</source>
        <translation>%1 h %2 min %3 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>Phénomène mutuel</source>
        <translation>Mutual event</translation>
    </message>
    <message>
        <source>Exporter la &amp;courbe…</source>
        <translation>Export the &amp;curve…</translation>
    </message>
    <message>
        <source>La courbe de lumière en image PNG, en dessin SVG ou en tableau CSV</source>
        <translation>The light curve as a PNG image, an SVG drawing or a CSV table</translation>
    </message>
    <message>
        <source>Exporter le &amp;dessin…</source>
        <translation>Export the &amp;drawing…</translation>
    </message>
    <message>
        <source>Le dessin des disques en image PNG ou en dessin SVG</source>
        <translation>The drawing of the discs as a PNG image or an SVG drawing</translation>
    </message>
    <message>
        <source>Début %1 · maximum %2 · fin %3 TU, le %4</source>
        <translation>Start %1 · maximum %2 · end %3 UT, on %4</translation>
    </message>
    <message>
        <source>Durée %1 · paramètre d&apos;impact %2 km</source>
        <translation>Duration %1 · impact parameter %2 km</translation>
    </message>
    <message>
        <source>Lumière perdue : %1 % de celle de %2 ; chute du couple %3 mag</source>
        <translation>Light lost: %1 % of %2&apos;s; drop of the pair %3 mag</translation>
    </message>
    <message>
        <source>Distance au limbe de Jupiter : %1 %2</source>
        <translation>Distance from Jupiter&apos;s limb: %1 %2</translation>
    </message>
    <message>
        <source>rayon équatorial</source>
        <translation>equatorial radius</translation>
    </message>
    <message>
        <source>rayons équatoriaux</source>
        <translation>equatorial radii</translation>
    </message>
    <message>
        <source>%1 est en même temps dans l&apos;ombre de Jupiter</source>
        <translation>%1 is in Jupiter&apos;s shadow at the same time</translation>
    </message>
    <message>
        <source>%1 est en même temps derrière Jupiter</source>
        <translation>%1 is behind Jupiter at the same time</translation>
    </message>
    <message>
        <source>%1 passe en même temps devant le disque de Jupiter</source>
        <translation>%1 is in front of Jupiter&apos;s disc at the same time</translation>
    </message>
    <message>
        <source>Au maximum : Jupiter à %1°, Soleil à %2° — %3</source>
        <translation>At maximum: Jupiter at %1°, Sun at %2° — %3</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#008000&quot;&gt;observable&lt;/span&gt;</source>
        <translation>&lt;span style=&quot;color:#008000&quot;&gt;observable&lt;/span&gt;</translation>
    </message>
    <message>
        <source>non observable</source>
        <translation>not observable</translation>
    </message>
    <message>
        <source>Exporter la courbe de lumière</source>
        <translation>Export the light curve</translation>
    </message>
    <message>
        <source>courbe</source>
        <translation>curve</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg);;Tableau CSV (*.csv)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg);;CSV table (*.csv)</translation>
    </message>
    <message>
        <source>Exporter le dessin des disques</source>
        <translation>Export the drawing of the discs</translation>
    </message>
    <message>
        <source>disques</source>
        <translation>discs</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
    </message>
</context>
<context>
    <name>Observateur</name>
    <message>
        <source>La latitude doit être comprise entre -90° et 90° (nord positif).</source>
        <translation>The latitude must lie between -90° and 90° (north positive).</translation>
    </message>
    <message>
        <source>La longitude doit être comprise entre -180° et 180° (est positif).</source>
        <translation>The longitude must lie between -180° and 180° (east positive).</translation>
    </message>
    <message>
        <source>L&apos;altitude du lieu doit être comprise entre -500 m et 10 000 m.</source>
        <translation>The height of the place must lie between -500 m and 10,000 m.</translation>
    </message>
    <message>
        <source>La hauteur minimale de Jupiter doit être comprise entre %1° et %2°.</source>
        <translation>Jupiter&apos;s minimum altitude must lie between %1° and %2°.</translation>
    </message>
    <message>
        <source>La hauteur maximale du Soleil doit être comprise entre %1° et %2°.</source>
        <translation>The Sun&apos;s maximum altitude must lie between %1° and %2°.</translation>
    </message>
    <message>
        <source>La chute d&apos;éclat minimale doit être comprise entre 0 et %1 magnitudes.</source>
        <translation>The least magnitude drop must lie between 0 and %1 magnitudes.</translation>
    </message>
</context>
<context>
    <name>ObservedCurve</name>
    <message>
        <source>ligne %1 : %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>le fichier ne contient aucune ligne de données</source>
        <translation>the file holds no data row</translation>
    </message>
    <message>
        <source>le fichier n&apos;a qu&apos;une colonne : ce n&apos;est pas une courbe de lumière (il faut un temps et un flux)</source>
        <translation>the file has a single column: it is not a light curve (a time and a flux are needed)</translation>
    </message>
    <message>
        <source>la colonne %1 n&apos;existe pas (le fichier en a %2)</source>
        <translation>column %1 does not exist (the file has %2)</translation>
    </message>
    <message>
        <source>la colonne des temps « %1 » est en temps héliocentrique ou barycentrique : exportez des Jours Juliens TU (JD UTC), à la Terre</source>
        <translation>the time column “%1” is in heliocentric or barycentric time: export Julian Days UT (JD UTC), at the Earth</translation>
    </message>
    <message>
        <source>temps illisible « %1 »</source>
        <translation>unreadable time “%1”</translation>
    </message>
    <message>
        <source>flux illisible « %1 »</source>
        <translation>unreadable flux “%1”</translation>
    </message>
    <message>
        <source>incertitude illisible ou nulle « %1 »</source>
        <translation>unreadable or zero uncertainty “%1”</translation>
    </message>
    <message>
        <source>aucune ligne lisible : ce n&apos;est pas une courbe de lumière (colonne des temps %1, des flux %2 ; %3)</source>
        <translation>no readable row: it is not a light curve (time column %1, flux column %2; %3)</translation>
    </message>
    <message>
        <source>impossible de lire le fichier « %1 » : %2</source>
        <translation>cannot read the file “%1”: %2</translation>
    </message>
    <message>
        <source>le fichier « %1 » n&apos;existe pas</source>
        <translation>the file “%1” does not exist</translation>
    </message>
    <message>
        <source>1 ligne illisible ignorée : %1</source>
        <translation>1 unreadable row left out: %1</translation>
    </message>
    <message>
        <source>%1 lignes illisibles ignorées : %2</source>
        <translation>%1 unreadable rows left out: %2</translation>
    </message>
    <message>
        <source>magnitude hors d&apos;échelle « %1 »</source>
        <translation>magnitude out of range “%1”</translation>
    </message>
    <message>
        <source>aucune magnitude utilisable : ce n&apos;est pas une courbe de lumière (%1)</source>
        <translation>no usable magnitude: this is not a light curve (%1)</translation>
    </message>
    <message>
        <source>première ligne illisible : ligne %1 « %2 »</source>
        <translation>first unreadable line: line %1 “%2”</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Exports lus : Tangra, PyMovie, LiMovie, AstroImageJ (CSV ou tableau à tabulations), C-Munipack/Muniwin, tableur (une colonne date-heure, ou une colonne de dates et une d&apos;heures) et tout tableau d&apos;un temps et d&apos;un flux, séparé par « , », « ; », tabulations ou blancs, en UTF-8, UTF-16 ou Latin-1. Temps lus : Jours Juliens TU (JD, MJD, JD−2400000), date-heure ISO 8601 ou jj/mm/aaaa hh:mm:ss, heure hh:mm:ss[.s] seule (date du phénomène), heures, minutes et secondes en trois colonnes</source>
        <translation>Exports read: Tangra, PyMovie, LiMovie, AstroImageJ (CSV or tab table), C-Munipack/Muniwin, spreadsheet (one date-time column, or a date column and a time column) and any table of a time and a flux, separated by “,”, “;”, tabs or blanks, in UTF-8, UTF-16 or Latin-1. Times read: Julian Days UTC (JD, MJD, JD−2400000), ISO 8601 or dd/mm/yyyy hh:mm:ss date-time, time of day hh:mm:ss[.s] alone (the event&apos;s date), hours, minutes and seconds in three columns</translation>
    </message>
    <message>
        <source>aucune ligne de données : ce n&apos;est pas une courbe de lumière (%1)</source>
        <translation>no data row: this is not a light curve (%1)</translation>
    </message>
    <message>
        <source>tableur</source>
        <translation>spreadsheet</translation>
    </message>
    <message>
        <source>les temps de la colonne « %1 » n&apos;ont pas de date : choisissez d&apos;abord le phénomène, sa date sert (passage à minuit compris)</source>
        <translation>the times of column “%1” have no date: choose the event first, its date is used (midnight rollover included)</translation>
    </message>
    <message>
        <source>comparaison illisible ou nulle « %1 »</source>
        <translation>unreadable or zero comparison “%1”</translation>
    </message>
    <message>
        <source>flux nul ou négatif « %1 »</source>
        <translation>zero or negative flux “%1”</translation>
    </message>
    <message>
        <source> ; si la colonne des flux donne des magnitudes, cochez « Magnitudes » (--magnitudes)</source>
        <translation>; if the flux column holds magnitudes, tick “Magnitudes” (--magnitudes)</translation>
    </message>
    <message>
        <source>le fichier « %1 » est trop grand pour une courbe de lumière (plus de %2 Mio)</source>
        <translation>the file “%1” is too large for a light curve (over %2 MiB)</translation>
    </message>
    <message>
        <source>« %1 »</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>colonne %1</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>%1 (Jours Juliens TU)</source>
        <translation>%1 (Julian Days UT)</translation>
    </message>
    <message>
        <source>%1 (date-heure TU)</source>
        <translation>%1 (date-time UT)</translation>
    </message>
    <message>
        <source>%1 et %2 (date, heure TU)</source>
        <translation>%1 and %2 (date, time UT)</translation>
    </message>
    <message>
        <source>%1 (heure TU sans date)</source>
        <translation>%1 (UT time without a date)</translation>
    </message>
    <message>
        <source>%1, %2, %3 (heures, minutes, secondes TU)</source>
        <translation>%1, %2, %3 (hours, minutes, seconds UT)</translation>
    </message>
    <message>
        <source> − %1</source>
        <translation> − %1</translation>
    </message>
    <message>
        <source>%1 moins %2</source>
        <translation>%1 minus %2</translation>
    </message>
    <message>
        <source>(%1) / (%2)</source>
        <translation>(%1) / (%2)</translation>
    </message>
    <message>
        <source> (magnitudes)</source>
        <translation> (magnitudes)</translation>
    </message>
    <message>
        <source>, incertitude %1</source>
        <translation>, uncertainty %1</translation>
    </message>
    <message>
        <source>%1, %2%3 ; temps : %4 ; flux : %5</source>
        <translation>%1, %2%3; time: %4; flux: %5</translation>
    </message>
    <message>
        <source>, en-tête ligne %1</source>
        <translation>, header on line %1</translation>
    </message>
    <message>
        <source>, sans en-tête</source>
        <translation>, no header</translation>
    </message>
    <message>
        <source> ; dates prises du phénomène, passage à minuit compris</source>
        <translation>; dates taken from the event, rolled over midnight</translation>
    </message>
    <message>
        <source> ; dates prises du phénomène</source>
        <translation>; dates taken from the event</translation>
    </message>
    <message>
        <source> ; %1 lignes dont la date ne passait pas au lendemain à 0 h TU, reportées au jour suivant</source>
        <translation>; %1 rows whose date did not move on at 0 h UT, moved to the next day</translation>
    </message>
</context>
<context>
    <name>PhenomenaModel</name>
    <message>
        <source>caché</source>
        <translation>hidden</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Heure locale (%1)</source>
        <translation>Local time (%1)</translation>
    </message>
    <message>
        <source>Date (TU)</source>
        <translation>Date (UT)</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Satellite</translation>
    </message>
    <message>
        <source>Phénomène</source>
        <translation>Phenomenon</translation>
    </message>
    <message>
        <source>Début/fin</source>
        <translation>Begin/end</translation>
    </message>
    <message>
        <source>Jupiter (°)</source>
        <translation>Jupiter (°)</translation>
    </message>
    <message>
        <source>Soleil (°)</source>
        <translation>Sun (°)</translation>
    </message>
    <message>
        <source>Observable</source>
        <translation>Observable</translation>
    </message>
</context>
<context>
    <name>Phenomene</name>
    <message>
        <source>Eclipsé</source>
        <translation>Eclipsed</translation>
    </message>
    <message>
        <source>Ombre</source>
        <translation>Shadow</translation>
    </message>
    <message>
        <source>Occulté</source>
        <translation>Occulted</translation>
    </message>
    <message>
        <source>Passage</source>
        <translation>Transit</translation>
    </message>
    <message>
        <source>Tache Rouge</source>
        <translation>Red Spot</translation>
    </message>
    <message>
        <source>début</source>
        <translation>beginning</translation>
    </message>
    <message>
        <source>fin</source>
        <translation>end</translation>
    </message>
    <message>
        <source>passage</source>
        <translation>transit</translation>
    </message>
    <message>
        <source>totale</source>
        <translation>total</translation>
    </message>
    <message>
        <source>annulaire</source>
        <translation>annular</translation>
    </message>
    <message>
        <source>partielle</source>
        <translation>partial</translation>
    </message>
    <message>
        <source>pénombrale</source>
        <translation>penumbral</translation>
    </message>
</context>
<context>
    <name>Programme</name>
    <message>
        <source>La longitude de la Tache Rouge doit être comprise entre 0° et 360°.</source>
        <translation>The Red Spot&apos;s longitude must lie between 0° and 360°.</translation>
    </message>
    <message>
        <source>L&apos;époque de la Tache Rouge doit être une date entre les années 100 et 9999.</source>
        <translation>The Red Spot&apos;s epoch must be a date between the years 100 and 9999.</translation>
    </message>
    <message>
        <source>La dérive de la Tache Rouge doit être un nombre de degrés par mois entre -30 et 30.</source>
        <translation>The Red Spot&apos;s drift must be a number of degrees a month between -30 and 30.</translation>
    </message>
    <message>
        <source>La période est illisible.</source>
        <translation>The period cannot be read.</translation>
    </message>
    <message>
        <source>La période doit rester entre les années 100 et 9999.</source>
        <translation>The period must stay between the years 100 and 9999.</translation>
    </message>
    <message>
        <source>La période est vide ou inversée : la fin doit suivre le début.</source>
        <translation>The period is empty or reversed: the end must follow the beginning.</translation>
    </message>
</context>
<context>
    <name>Recording</name>
    <message>
        <source>Io</source>
        <translation>Io</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>Ganymède</source>
        <translation>Ganymede</translation>
    </message>
    <message>
        <source>Callisto</source>
        <translation>Callisto</translation>
    </message>
    <message>
        <source>%1 : fichier FITS illisible (%2)</source>
        <translation>%1: unreadable FITS file (%2)</translation>
    </message>
    <message>
        <source>%1 : en-tête FITS illisible (%2)</source>
        <translation>%1: unreadable FITS header (%2)</translation>
    </message>
    <message>
        <source>%1 : le FITS n&apos;est pas une image ni un cube d&apos;images (NAXIS %2)</source>
        <translation>%1: the FITS file is neither an image nor a cube of images (NAXIS %2)</translation>
    </message>
    <message>
        <source>image %1 illisible (%2)</source>
        <translation>frame %1 unreadable (%2)</translation>
    </message>
    <message>
        <source>%1, %2 × %3, %4 images, %5</source>
        <translation>%1, %2 × %3, %4 frames, %5</translation>
    </message>
    <message>
        <source>heures TU de l&apos;en-tête</source>
        <translation>UT times from the header</translation>
    </message>
    <message>
        <source>sans heure (DATE-OBS)</source>
        <translation>no time (DATE-OBS)</translation>
    </message>
    <message>
        <source>cube FITS</source>
        <translation>FITS cube</translation>
    </message>
    <message>
        <source>suite de fichiers FITS</source>
        <translation>sequence of FITS files</translation>
    </message>
    <message>
        <source>%1 : image de %2 × %3, la première fait %4 × %5</source>
        <translation>%1: frame of %2 × %3, the first is %4 × %5</translation>
    </message>
    <message>
        <source>aucun fichier FITS donné</source>
        <translation>no FITS file given</translation>
    </message>
    <message>
        <source>fond de ciel impossible à estimer</source>
        <translation>the sky background cannot be estimated</translation>
    </message>
    <message>
        <source>extraction des sources impossible (trop de sources ou image vide)</source>
        <translation>sources cannot be extracted (too many sources or an empty image)</translation>
    </message>
    <message>
        <source>l&apos;enregistrement ne donne pas l&apos;heure de ses images : donnez l&apos;heure TU de la première image (--start AAAA-MM-JJTHH:MM:SS) et la cadence (--fps images par seconde)</source>
        <translation>the recording does not give the time of its frames: give the UT of the first frame (--start YYYY-MM-DDTHH:MM:SS) and the rate (--fps frames per second)</translation>
    </message>
    <message>
        <source>aucun phénomène mutuel n&apos;a son maximum entre %1 et %2 TU (les heures de l&apos;enregistrement) : donnez-le (--event CODE,DATE)</source>
        <translation>no mutual event has its maximum between %1 and %2 UT (the recording&apos;s times): give it (--event CODE,DATE)</translation>
    </message>
    <message>
        <source>aucune source trouvée sur les premières images : ni Jupiter ni satellite</source>
        <translation>no source found on the first frames: neither Jupiter nor a satellite</translation>
    </message>
    <message>
        <source>aucun satellite trouvé sur les premières images (%1 source(s), dont Jupiter : %2)</source>
        <translation>no satellite found on the first frames (%1 source(s), Jupiter among them: %2)</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>un seul satellite trouvé sur les premières images : il en faut au moins deux, avec Jupiter, pour les nommer et trois pour la paire et la comparaison</source>
        <translation>only one satellite found on the first frames: naming them takes at least two, with Jupiter, and the pair and the comparison take three</translation>
    </message>
    <message>
        <source>les sources trouvées (%1) ne correspondent pas à la configuration prévue des satellites à %2 TU : vérifiez l&apos;heure de l&apos;enregistrement</source>
        <translation>the sources found (%1) do not match the satellites&apos; predicted configuration at %2 UT: check the recording&apos;s time</translation>
    </message>
    <message>
        <source>%1, du phénomène %2, n&apos;est pas trouvé sur les premières images (hors du champ, derrière Jupiter ou trop faible)</source>
        <translation>%1, of the event %2, is not found on the first frames (outside the field, behind Jupiter or too faint)</translation>
    </message>
    <message>
        <source>aucun troisième satellite trouvé pour servir de comparaison au phénomène %1</source>
        <translation>no third satellite found to serve as the comparison for the event %1</translation>
    </message>
    <message>
        <source>le satellite de comparaison %1 n&apos;est pas trouvé, ou appartient au phénomène</source>
        <translation>the comparison satellite %1 is not found, or belongs to the event</translation>
    </message>
    <message>
        <source>l&apos;enregistrement ne contient aucune image</source>
        <translation>the recording holds no frame</translation>
    </message>
    <message>
        <source>aucune image mesurée : %1</source>
        <translation>no frame measured: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n perdue(s) (satellite introuvable)</source>
        <translation>
            <numerusform>%n lost (satellite not found)</numerusform>
            <numerusform>%n lost (satellite not found)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saturée(s)</source>
        <translation>
            <numerusform>%n saturated</numerusform>
            <numerusform>%n saturated</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n illisible(s) ou sans heure</source>
        <translation>
            <numerusform>%n unreadable or without time</numerusform>
            <numerusform>%n unreadable or without time</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 sur %2 : %3</source>
        <translation>%1 out of %2: %3</translation>
    </message>
    <message numerus="yes">
        <source>%n image(s) écartée(s)</source>
        <translation>
            <numerusform>%n frame dropped</numerusform>
            <numerusform>%n frames dropped</numerusform>
        </translation>
    </message>
    <message>
        <source>impossible de lire %1 : %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>fichier SER tronqué : l&apos;en-tête annonce %1 images de %2 octets, le fichier n&apos;en contient que %3</source>
        <translation>truncated SER file: the header announces %1 frames of %2 bytes, the file holds only %3</translation>
    </message>
    <message>
        <source>SER %1 bits, %2 × %3, %4 images, %5</source>
        <translation>SER %1 bits, %2 × %3, %4 frames, %5</translation>
    </message>
    <message>
        <source>sans heure par image</source>
        <translation>no time per frame</translation>
    </message>
    <message>
        <source>heures TU par image</source>
        <translation>UT time of each frame</translation>
    </message>
    <message>
        <source>image %1 illisible : %2</source>
        <translation>frame %1 unreadable: %2</translation>
    </message>
    <message>
        <source>l&apos;image %1 n&apos;existe pas (l&apos;enregistrement en a %2)</source>
        <translation>frame %1 does not exist (the recording has %2)</translation>
    </message>
    <message>
        <source>région hors de l&apos;image</source>
        <translation>region outside the frame</translation>
    </message>
    <message>
        <source>fichier SER trop court : %1 octets, l&apos;en-tête seul en fait %2</source>
        <translation>SER file too short: %1 bytes, the header alone takes %2</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier SER (il doit commencer par « LUCAM-RECORDER »)</source>
        <translation>not a SER file (it must start with &quot;LUCAM-RECORDER&quot;)</translation>
    </message>
    <message>
        <source>fichier SER : couleur %1 inconnue (0 mono, 8 à 19 matrice de Bayer, 100 RVB, 101 BVR)</source>
        <translation>SER file: unknown colour %1 (0 mono, 8 to 19 Bayer matrix, 100 RGB, 101 BGR)</translation>
    </message>
    <message>
        <source>fichier SER : taille d&apos;image %1 × %2 impossible</source>
        <translation>SER file: impossible frame size %1 × %2</translation>
    </message>
    <message>
        <source>fichier SER : %1 bits par pixel, attendu de 1 à 16</source>
        <translation>SER file: %1 bits per pixel, expected 1 to 16</translation>
    </message>
    <message>
        <source>fichier SER sans image (nombre d&apos;images %1)</source>
        <translation>SER file without frames (frame count %1)</translation>
    </message>
    <message>
        <source>le dossier %1 ne contient aucun fichier FITS (.fits, .fit, .fts)</source>
        <translation>the folder %1 holds no FITS file (.fits, .fit, .fts)</translation>
    </message>
    <message>
        <source>le fichier %1 n&apos;existe pas</source>
        <translation>the file %1 does not exist</translation>
    </message>
    <message>
        <source>%1 : vidéo illisible (%2)</source>
        <translation>%1: unreadable video (%2)</translation>
    </message>
    <message>
        <source>%1 : le fichier ne contient aucune vidéo lisible</source>
        <translation>%1: the file holds no readable video</translation>
    </message>
    <message>
        <source>%1 : décodeur vidéo indisponible</source>
        <translation>%1: video decoder unavailable</translation>
    </message>
    <message>
        <source>%1 : vidéo sans taille d&apos;image</source>
        <translation>%1: video without a frame size</translation>
    </message>
    <message>
        <source>%1 : la vidéo ne contient aucune image</source>
        <translation>%1: the video holds no frame</translation>
    </message>
    <message>
        <source>vidéo %1 %2 bits, %3 × %4, %5 images, %6 images/s</source>
        <translation>video %1 %2 bits, %3 × %4, %5 frames, %6 frames/s</translation>
    </message>
    <message>
        <source>image %1 de la vidéo illisible</source>
        <translation>frame %1 of the video unreadable</translation>
    </message>
    <message>
        <source>conversion en gris impossible</source>
        <translation>grey conversion impossible</translation>
    </message>
    <message>
        <source>couple de satellites invalide : deux numéros différents de 1 à 4</source>
        <translation>invalid pair of satellites: two different numbers from 1 to 4</translation>
    </message>
    <message>
        <source>%1, de l&apos;approximation %2, n&apos;est pas trouvé sur les premières images (hors du champ, derrière Jupiter ou trop faible)</source>
        <translation>%1, of the approximation %2, is not found on the first frames (outside the field, behind Jupiter or too faint)</translation>
    </message>
    <message>
        <source>%1 et %2 ne font qu&apos;une source sur les premières images : trop proches pour mesurer leurs centres à cette échelle</source>
        <translation>%1 and %2 make a single source on the first frames: too close to measure their centres at this scale</translation>
    </message>
    <message>
        <source>la mesure n&apos;est pas celle d&apos;une approximation mutuelle</source>
        <translation>the measurement is not that of a mutual approximation</translation>
    </message>
</context>
<context>
    <name>RecordingView</name>
    <message>
        <source>Aucune image</source>
        <translation>No frame</translation>
    </message>
    <message>
        <source>Jupiter</source>
        <translation>Jupiter</translation>
    </message>
    <message>
        <source>couple</source>
        <translation>pair</translation>
    </message>
    <message>
        <source>comparaison</source>
        <translation>comparison</translation>
    </message>
    <message>
        <source>Un clic montre l&apos;image la plus proche de cet instant</source>
        <translation>A click shows the frame nearest to that instant</translation>
    </message>
    <message>
        <source>Les flux mesurés s&apos;afficheront ici</source>
        <translation>The measured fluxes will be shown here</translation>
    </message>
    <message>
        <source>Flux mesurés</source>
        <translation>Measured fluxes</translation>
    </message>
    <message>
        <source>Flux relatif</source>
        <translation>Relative flux</translation>
    </message>
    <message>
        <source>couple %1</source>
        <translation>pair %1</translation>
    </message>
    <message>
        <source>comparaison %1</source>
        <translation>comparison %1</translation>
    </message>
    <message>
        <source>%1 images gardées sur %2</source>
        <translation>%1 frames kept of %2</translation>
    </message>
    <message>
        <source>Temps universel</source>
        <translation>Universal Time</translation>
    </message>
    <message>
        <source>Image %1 / %2</source>
        <translation>Frame %1 / %2</translation>
    </message>
    <message>
        <source>illisible : %1</source>
        <translation>unreadable: %1</translation>
    </message>
    <message>
        <source>%1 TU</source>
        <translation>%1 UT</translation>
    </message>
    <message>
        <source>écartée</source>
        <translation>dropped</translation>
    </message>
    <message>
        <source>Distance des centres (px)</source>
        <translation>Distance of the centres (px)</translation>
    </message>
</context>
<context>
    <name>ReductionPlot</name>
    <message>
        <source>Choisissez le phénomène et le fichier de la courbe observée</source>
        <translation>Choose the event and the file of the observed curve</translation>
    </message>
    <message>
        <source>%1 du %2 TU</source>
        <translation>%1 of %2 UT</translation>
    </message>
    <message>
        <source>Courbe observée</source>
        <translation>Observed curve</translation>
    </message>
    <message>
        <source> — O−C %1%2 ± %3 s</source>
        <translation> — O−C %1%2 ± %3 s</translation>
    </message>
    <message>
        <source>Flux</source>
        <translation>Flux</translation>
    </message>
    <message>
        <source>observé</source>
        <translation>observed</translation>
    </message>
    <message>
        <source>prévu</source>
        <translation>predicted</translation>
    </message>
    <message>
        <source>ajusté</source>
        <translation>fitted</translation>
    </message>
    <message>
        <source>ajustement non convergé</source>
        <translation>fit not converged</translation>
    </message>
    <message>
        <source>Résidus</source>
        <translation>Residuals</translation>
    </message>
    <message>
        <source>Temps universel</source>
        <translation>Universal time</translation>
    </message>
</context>
<context>
    <name>Satellite</name>
    <message>
        <source>Io</source>
        <translation>Io</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>Ganymède</source>
        <translation>Ganymede</translation>
    </message>
    <message>
        <source>Callisto</source>
        <translation>Callisto</translation>
    </message>
</context>
<context>
    <name>Theorie</name>
    <message>
        <source>L1.2 corrigée par les observations 2009–2021</source>
        <translation>L1.2 corrected by the 2009–2021 observations</translation>
    </message>
    <message>
        <source>L1.2 telle que publiée</source>
        <translation>L1.2 as published</translation>
    </message>
</context>
<context>
    <name>ZoneGraphique</name>
    <message>
        <source> (heure civile, %1 TU)</source>
        <translation> (civil time, %1 UT)</translation>
    </message>
    <message>
        <source> TU</source>
        <translation> UT</translation>
    </message>
    <message>
        <source>éclipsé</source>
        <translation>eclipsed</translation>
    </message>
    <message>
        <source>occulté</source>
        <translation>occulted</translation>
    </message>
    <message>
        <source>passage devant Jupiter</source>
        <translation>transit in front of Jupiter</translation>
    </message>
    <message>
        <source>son ombre sur Jupiter</source>
        <translation>its shadow on Jupiter</translation>
    </message>
    <message>
        <source>dans l&apos;ombre de %1 (%2–%3 TU)</source>
        <translation>in %1&apos;s shadow (%2–%3 UT)</translation>
    </message>
    <message>
        <source>occulté par %1 (%2–%3 TU)</source>
        <translation>occulted by %1 (%2–%3 UT)</translation>
    </message>
    <message>
        <source>son ombre sur %1 (%2–%3 TU)</source>
        <translation>its shadow on %1 (%2–%3 UT)</translation>
    </message>
    <message>
        <source>devant %1 (%2–%3 TU)</source>
        <translation>in front of %1 (%2–%3 UT)</translation>
    </message>
    <message>
        <source>côté est</source>
        <translation>east side</translation>
    </message>
    <message>
        <source>côté ouest</source>
        <translation>west side</translation>
    </message>
    <message>
        <source>%1 — %2 — %3 rayons de Jupiter, %4</source>
        <translation>%1 — %2 — %3 Jupiter radii, %4</translation>
    </message>
    <message>
        <source> — %1</source>
        <translation> — %1</translation>
    </message>
    <message>
        <source> (heure locale, %1, %2 TU)</source>
        <translation> (local time, %1, %2 UT)</translation>
    </message>
    <message>
        <source>au plus près de %1 (%2″ à %3 TU)</source>
        <translation>closest to %1 (%2″ at %3 UT)</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>A Propos de Zenolune...</source>
        <translation>About Zenolune...</translation>
    </message>
    <message>
        <source>ZENOLUNE</source>
        <translation>ZENOLUNE</translation>
    </message>
    <message>
        <source>Version Freeware 1.2</source>
        <translation>Freeware Version 1.2</translation>
    </message>
    <message>
        <source>Position des quatre satellites galiléens de Jupiter, leurs éclipses, occultations, passages et ombres, et les méridiens centraux de la planète, pour une date et une heure quelconques.</source>
        <translation>Where Jupiter&apos;s four Galilean satellites stand, their eclipses, occultations, transits and shadows, and the planet&apos;s central meridians, for any date and time.</translation>
    </message>
    <message>
        <source>Écrit pour les observateurs de Jupiter, d&apos;après la théorie de Jean Meeus.</source>
        <translation>Written for observers of Jupiter, after Jean Meeus&apos; theory.</translation>
    </message>
    <message>
        <source>Ca, c&apos;est moi...</source>
        <translation>That&apos;s me...</translation>
    </message>
    <message>
        <source>Ca, c&apos;est Jupiter...</source>
        <translation>That&apos;s Jupiter...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage : zenolune [--version] [--help]
Ouvre Zenolune, les satellites galiléens de Jupiter pour une date et une heure.
L&apos;aide complète est dans le programme (« Aide ») et dans man zenolune ; les calculs en ligne de commande : zenolune-ephem --help.
</source>
        <translation>Usage: zenolune [--version] [--help]
Opens Zenolune, Jupiter&apos;s Galilean satellites for a date and time.
The full help is in the program (&quot;Help&quot;) and in man zenolune; computations from the command line: zenolune-ephem --help.
</translation>
    </message>
    <message>
        <source>zenolune : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY) ; lancez le programme dans une session graphique.
</source>
        <translation>zenolune: no display available (neither DISPLAY nor WAYLAND_DISPLAY); start the program in a graphical session.
</translation>
    </message>
</context>
<context>
    <name>settings</name>
    <message>
        <source>latitude</source>
        <translation>latitude</translation>
    </message>
    <message>
        <source>longitude</source>
        <translation>longitude</translation>
    </message>
    <message>
        <source>altitude du lieu</source>
        <translation>height of the place</translation>
    </message>
    <message>
        <source>hauteur minimale de Jupiter</source>
        <translation>Jupiter&apos;s least altitude</translation>
    </message>
    <message>
        <source>hauteur maximale du Soleil</source>
        <translation>the Sun&apos;s greatest altitude</translation>
    </message>
    <message>
        <source>longitude de la Tache Rouge</source>
        <translation>the Red Spot&apos;s longitude</translation>
    </message>
    <message>
        <source>dérive de la Tache Rouge</source>
        <translation>the Red Spot&apos;s drift</translation>
    </message>
    <message>
        <source>époque de la Tache Rouge</source>
        <translation>the Red Spot&apos;s epoch</translation>
    </message>
    <message>
        <source>fuseau horaire</source>
        <translation>time zone</translation>
    </message>
    <message>
        <source>chute d&apos;éclat minimale des phénomènes mutuels</source>
        <translation>least magnitude drop of mutual events</translation>
    </message>
    <message>
        <source>période</source>
        <translation>period</translation>
    </message>
    <message>
        <source>satellite</source>
        <translation>satellite</translation>
    </message>
    <message>
        <source>observables seulement</source>
        <translation>observable only</translation>
    </message>
    <message>
        <source>format CSV</source>
        <translation>CSV format</translation>
    </message>
    <message>
        <source>heures du graphique</source>
        <translation>chart hours</translation>
    </message>
    <message>
        <source>papier</source>
        <translation>paper</translation>
    </message>
    <message>
        <source>échelle du graphique</source>
        <translation>chart scale</translation>
    </message>
    <message>
        <source>distance maximale des approximations</source>
        <translation>approximations&apos; largest distance</translation>
    </message>
    <message>
        <source>écart minimal au bord de Jupiter</source>
        <translation>least separation from Jupiter&apos;s limb</translation>
    </message>
    <message>
        <source>vitesse des passages quasi stationnaires</source>
        <translation>speed of near-stationary passes</translation>
    </message>
    <message>
        <source>théorie des satellites</source>
        <translation>satellites&apos; theory</translation>
    </message>
</context>
<context>
    <name>theorymenu</name>
    <message>
        <source>Satellites de la théorie précise : %1. Cliquer pour choisir.</source>
        <translation>Satellites of the precise theory: %1. Click to choose.</translation>
    </message>
</context>
<context>
    <name>zeno</name>
    <message>
        <source>caché par Jupiter (derrière son disque ou dans son ombre)</source>
        <translation>hidden by Jupiter (behind its disc or in its shadow)</translation>
    </message>
    <message>
        <source>Jupiter à %1°, sous les %2° demandés</source>
        <translation>Jupiter at %1°, below the %2° asked for</translation>
    </message>
    <message>
        <source>Soleil à %1°, au-dessus des %2° permis</source>
        <translation>Sun at %1°, above the %2° allowed</translation>
    </message>
    <message>
        <source>chute d&apos;éclat de %1 mag, sous les %2 mag demandés</source>
        <translation>magnitude drop of %1 mag, below the %2 mag asked for</translation>
    </message>
</context>
<context>
    <name>zenolune-ephem</name>
    <message>
        <source>date hors de %1 : la théorie L1.2, ajustée aux observations de 1891 à 2003, y perd sa précision</source>
        <translation>date outside %1: the L1.2 theory, fitted to observations from 1891 to 2003, loses its accuracy there</translation>
    </message>
    <message>
        <source>%1 (voir --help)</source>
        <translation>%1 (see --help)</translation>
    </message>
    <message>
        <source>inversions attendues sous la forme EO,NS, par exemple 1,0</source>
        <translation>flips expected as EW,NS, for example 1,0</translation>
    </message>
    <message>
        <source>une inversion vaut 0 ou 1</source>
        <translation>a flip is 0 or 1</translation>
    </message>
    <message>
        <source>--grs attend L2,EPOQUE,DERIVE, par exemple 57,2024-07-01,1.5</source>
        <translation>--grs expects L2,EPOCH,DRIFT, for example 57,2024-07-01,1.5</translation>
    </message>
    <message>
        <source>--site attend LAT,LON[,H], par exemple 48.85,2.35,35</source>
        <translation>--site expects LAT,LON[,H], for example 48.85,2.35,35</translation>
    </message>
    <message>
        <source>%1 attend une valeur</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>satellite inconnu : %1</source>
        <translation>unknown satellite: %1</translation>
    </message>
    <message>
        <source>option inconnue : %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>--from et --to vont ensemble</source>
        <translation>--from and --to go together</translation>
    </message>
    <message>
        <source>--chart et --out vont ensemble</source>
        <translation>--chart and --out go together</translation>
    </message>
    <message>
        <source>--chart ne va ni avec --events, --mutual ou --lightcurve, ni avec --from/--to, ni avec des dates</source>
        <translation>--chart goes neither with --events, --mutual or --lightcurve, nor with --from/--to, nor with dates</translation>
    </message>
    <message>
        <source>--ics va avec --events</source>
        <translation>--ics goes with --events</translation>
    </message>
    <message>
        <source>--events et --mutual ne vont pas ensemble</source>
        <translation>--events and --mutual do not go together</translation>
    </message>
    <message>
        <source>--grs va avec --events ou --chart</source>
        <translation>--grs goes with --events or --chart</translation>
    </message>
    <message>
        <source>--mutual demande --from et --to</source>
        <translation>--mutual needs --from and --to</translation>
    </message>
    <message>
        <source>--events demande --from et --to</source>
        <translation>--events needs --from and --to</translation>
    </message>
    <message>
        <source>--lightcurve s&apos;emploie seul (avec --offset ou --locale)</source>
        <translation>--lightcurve is used alone (with --offset or --locale)</translation>
    </message>
    <message>
        <source>aucune date</source>
        <translation>no date</translation>
    </message>
    <message>
        <source>avertissement : %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>extension inconnue pour « %1 » : .pdf, .svg ou .png attendu</source>
        <translation>unknown extension for “%1”: .pdf, .svg or .png expected</translation>
    </message>
    <message>
        <source>--chart attend un mois AAAA-MM, par exemple 2025-03 (lu : « %1 »)</source>
        <translation>--chart expects a month YYYY-MM, for example 2025-03 (read: “%1”)</translation>
    </message>
    <message>
        <source>calcul impossible</source>
        <translation>cannot compute</translation>
    </message>
    <message>
        <source>aucun phénomène %1 à moins de 24 h du %2 TU</source>
        <translation>no %1 event within 24 h of %2 UT</translation>
    </message>
    <message>
        <source>pas illisible (exemples : 10n, 1h, 2d)</source>
        <translation>step cannot be read (examples: 10n, 1h, 2d)</translation>
    </message>
    <message>
        <source>--to précède --from</source>
        <translation>--to comes before --from</translation>
    </message>
    <message>
        <source>Lieu : %1</source>
        <translation>Place: %1</translation>
    </message>
    <message>
        <source>--night demande --site</source>
        <translation>--night needs --site</translation>
    </message>
    <message>
        <source>--night va seul, avec --site et --at</source>
        <translation>--night goes alone, with --site and --at</translation>
    </message>
    <message>
        <source>--at va avec --night</source>
        <translation>--at goes with --night</translation>
    </message>
    <message>
        <source>numéro de colonne attendu (%1 pour la première) : %2</source>
        <translation>column number expected (%1 for the first): %2</translation>
    </message>
    <message>
        <source>--reduce et --event vont ensemble</source>
        <translation>--reduce and --event go together</translation>
    </message>
    <message>
        <source>--reduce s&apos;emploie seul (avec --event, --site, --offset ou --locale)</source>
        <translation>--reduce is used alone (with --event, --site, --offset or --locale)</translation>
    </message>
    <message>
        <source>%1 attend CODE,DATE, par exemple &quot;1O2,02/02/2015 03:31:00&quot; (CODE : chiffre 1 à 4, O ou E, autre chiffre 1 à 4)</source>
        <translation>%1 expects CODE,DATE, for example &quot;1O2,02/02/2015 03:31:00&quot; (CODE: digit 1 to 4, O or E, another digit 1 to 4)</translation>
    </message>
    <message>
        <source>--time-column, --flux-column, --sigma-column, --comparison-column et --magnitudes vont avec --reduce</source>
        <translation>--time-column, --flux-column, --sigma-column, --comparison-column and --magnitudes go with --reduce</translation>
    </message>
    <message>
        <source>vu du lieu donné par --site, le phénomène %1 n&apos;a pas lieu (les disques ne se rencontrent pas)</source>
        <translation>seen from the place given by --site, the event %1 does not happen (the discs do not meet)</translation>
    </message>
    <message>
        <source>théorie inconnue : %1 (originale, precise ou l12)</source>
        <translation>unknown theory: %1 (originale, precise or l12)</translation>
    </message>
    <message>
        <source>--measure demande --out COURBE.csv</source>
        <translation>--measure needs --out CURVE.csv</translation>
    </message>
    <message>
        <source>--measure s&apos;emploie seul (avec --out, --event, --site, --start, --fps, --offset ou --locale)</source>
        <translation>--measure is used alone (with --out, --event, --site, --start, --fps, --offset or --locale)</translation>
    </message>
    <message>
        <source>--start et --fps vont avec --measure ou --reduce d&apos;un enregistrement</source>
        <translation>--start and --fps go with --measure or --reduce of a recording</translation>
    </message>
    <message>
        <source>--start (une date) ou --fps (images par seconde) illisible</source>
        <translation>--start (a date) or --fps (frames per second) unreadable</translation>
    </message>
    <message>
        <source>--fps attend un nombre d&apos;images par seconde plus grand que 0 : %1</source>
        <translation>--fps expects a number of frames per second greater than 0: %1</translation>
    </message>
    <message>
        <source>--min-drop attend une chute d&apos;éclat en magnitudes, de 0 à 5, par exemple 0.02</source>
        <translation>--min-drop expects a magnitude drop from 0 to 5, for example 0.02</translation>
    </message>
    <message>
        <source>--min-drop va avec --mutual et --site</source>
        <translation>--min-drop goes with --mutual and --site</translation>
    </message>
    <message>
        <source>--grs : époque « %1 » illisible ; formes attendues : %2 ou AAAA-MM-JJ</source>
        <translation>--grs: unreadable epoch &quot;%1&quot;; expected forms: %2 or YYYY-MM-DD</translation>
    </message>
    <message>
        <source>--offset : « %1 » n&apos;est pas un nombre d&apos;heures (par exemple -1, ou 5,5 pour 5 h 30)</source>
        <translation>--offset: &quot;%1&quot; is not a number of hours (for example -1, or 5.5 for 5 h 30)</translation>
    </message>
    <message>
        <source>--offset : %1 h, hors de -%2 à %2 h (la différence TU-TC d&apos;un fuseau horaire)</source>
        <translation>--offset: %1 h, outside -%2 to %2 h (the UT-CT difference of a time zone)</translation>
    </message>
    <message>
        <source>%1 : « %2 » n&apos;est pas une date (%3 Heure:Minute:Seconde, ou AAAA-MM-JJ hh:mm:ss ; années 100 à 9999)</source>
        <translation>%1: &quot;%2&quot; is not a date (%3 Hour:Minute:Second, or YYYY-MM-DD hh:mm:ss; years 100 to 9999)</translation>
    </message>
    <message>
        <source>avertissement : le pas %1 est plus long que le plus bref des phénomènes cherchés (environ %2 h pour %3) : des phénomènes seront manqués ; prenez un pas plus court (10n par défaut)</source>
        <translation>warning: the step %1 is longer than the shortest of the phenomena looked for (about %2 h for %3): phenomena will be missed; take a shorter step (10n by default)</translation>
    </message>
    <message>
        <source>--night : la nuit qui suit le %1 TU sort des années 100 à 9999</source>
        <translation>--night: the night after %1 UT leaves the years 100 to 9999</translation>
    </message>
    <message>
        <source>approximation illisible « %1 » : deux chiffres de 1 à 4 autour de A, par exemple 1A2</source>
        <translation>unreadable approximation &quot;%1&quot;: two digits 1 to 4 around A, for example 1A2</translation>
    </message>
    <message>
        <source>aucune approximation %1 à moins de %2&quot; et de 24 h du %3 TU</source>
        <translation>no approximation %1 within %2&quot; and 24 h of %3 UT</translation>
    </message>
    <message>
        <source>--max-distance attend des secondes d&apos;arc, par exemple 30</source>
        <translation>--max-distance expects arcseconds, for example 30</translation>
    </message>
    <message>
        <source>--site va avec --events, --mutual, --approx, --chart ou --reduce</source>
        <translation>--site goes with --events, --mutual, --approx, --chart or --reduce</translation>
    </message>
    <message>
        <source>--approx ne va ni avec --events, --mutual, --lightcurve ou --chart</source>
        <translation>--approx goes neither with --events, --mutual, --lightcurve nor --chart</translation>
    </message>
    <message>
        <source>--approx demande --from et --to</source>
        <translation>--approx needs --from and --to</translation>
    </message>
    <message>
        <source>--max-distance va avec --approx</source>
        <translation>--max-distance goes with --approx</translation>
    </message>
    <message>
        <source>--approx CODE,DATE va avec --reduce, sans --event</source>
        <translation>--approx CODE,DATE goes with --reduce, without --event</translation>
    </message>
    <message>
        <source>date de --approx illisible</source>
        <translation>unreadable --approx date</translation>
    </message>
    <message>
        <source>Usage :
  zenolune-ephem [options] DATE...
  zenolune-ephem [options] --from DATE --to DATE [--step PAS]
  zenolune-ephem [options] --events --from DATE --to DATE [--step PAS] [--csv] [--ics FICHIER]
  zenolune-ephem --night --site LAT,LON[,H] [--at DATE]
  zenolune-ephem [options] --chart AAAA-MM --out FICHIER.pdf|.svg|.png
  zenolune-ephem [options] --mutual --from DATE --to DATE [--site LAT,LON[,H]] [--min-drop MAG] [--csv]
  zenolune-ephem [options] --lightcurve CODE,DATE
  zenolune-ephem [options] --reduce FICHIER --event CODE,DATE [--site LAT,LON[,H]]
                 [--time-column N] [--flux-column N] [--sigma-column N]
                 [--comparison-column N] [--magnitudes]
  zenolune-ephem [options] --reduce ENREGISTREMENT [--event CODE,DATE] [--start DATE --fps N]
  zenolune-ephem [options] --measure ENREGISTREMENT [--event CODE,DATE] [--site LAT,LON[,H]]
                 [--start DATE --fps N] --out COURBE.csv
  zenolune-ephem [options] --approx --from DATE --to DATE [--site LAT,LON[,H]]
                 [--max-distance SECONDES_D_ARC] [--csv]
  zenolune-ephem [options] --reduce FICHIER --approx CODE,DATE [--site LAT,LON[,H]]
  zenolune-ephem [options] --reduce ENREGISTREMENT --approx CODE,DATE [--start DATE --fps N]

Calcule, pour chaque date (heure civile, sous la forme Jour/Mois/Année
Heure:Minute:Seconde, par exemple &quot;01/01/2000 12:00:00&quot;, ou en ISO 8601,
2000-01-01 12:00:00), exactement ce que
Zenolune affiche après un appui sur « OK » : Jour Julien, date et heure TU,
méridiens centraux (Systèmes I et II), les seize phénomènes, l&apos;enregistrement
complet des éphémérides et les disques dessinés. Une ligne JSON par date.

Options :
  --offset HEURES        Différence TU-TC, en heures (0 par défaut ; -1 en hiver
                         en France, -2 en été), de -14 à 14 ; 5,5 ou 5.5 pour
                         5 h 30.
  --flip-main EO,NS      Inversions Est-Ouest et Nord-Sud de la fenêtre
                         principale (0 ou 1 chacune ; 0,0 par défaut).
  --flip-reduced EO,NS   Inversions de la fenêtre réduite (0,0 par défaut).
  --locale NOM           Paramètres régionaux des dates et des nombres lus et
                         écrits (fr_FR, en_US…) ; par défaut les formes
                         françaises du programme (Jour/Mois/Année, virgule
                         décimale), quels que soient ceux du système : ce qui
                         est écrit se relit tel quel. L&apos;ISO 8601 est toujours lu.
  --from DATE --to DATE  Une ligne par pas entre les deux dates.
  --step PAS             Le pas : un nombre et une unité, yyyy (années),
                         m (mois), d (jours), h (heures), n (minutes),
                         s (secondes) ; 10n par défaut.
  --events               Avec --from/--to : chaque début et chaque fin de
                         phénomène (Eclipsé, Occulté, Passage, Ombre), à la
                         seconde près, en heure civile. Le pas doit être plus
                         court que le plus bref des phénomènes cherchés (sinon,
                         un avertissement).
  --satellite NOM        Avec --events : Io, Europe, Ganymède ou Callisto seul.
  --csv                  Avec --events : tableau CSV au lieu de JSON.
  --theory THEORIE       originale (par défaut : la théorie de Meeus du
                         programme, inchangée), precise (satellites L1.2
                         corrigée par les observations 2009–2021, planètes
                         VSOP87, temps de lumière, Jupiter aplati, pôle et
                         rotation UAI ; horaires à quelques secondes) ou l12
                         (la même avec L1.2 telle que publiée).
                         Contacts de la théorie précise : ceux du centre du
                         satellite. Hors de %1, un avertissement.
  --grs L2,EPOQUE,DERIVE Avec --events : ajoute les passages de la Tache Rouge
                         au méridien central (Système II), sous le nom
                         « Tache Rouge ». L2 : longitude en Système II (degrés)
                         à l&apos;époque EPOQUE (JJ/MM/AAAA ou AAAA-MM-JJ, 0 h TU) ;
                         DERIVE : degrés par mois de 30,436875 jours. Les
                         valeurs sont séparées par des virgules, les nombres
                         prennent un point décimal : 57,2024-07-01,1.5. À
                         mettre à jour d&apos;après les observations récentes.
  --site LAT,LON[,H]     Avec --events : hauteurs de Jupiter et du Soleil au
                         lieu d&apos;observation (latitude nord positive, longitude
                         EST positive, en degrés ; altitude H en mètres) et
                         « observable » quand Jupiter est à 10° au moins, le
                         Soleil à -6° au plus et le phénomène visible (un
                         phénomène « caché » se produit derrière Jupiter ou
                         dans son ombre) ; sinon &quot;why&quot; (colonne pourquoi en
                         CSV) en donne les raisons : hidden, jupiter_low,
                         daylight, faint (phénomène mutuel trop faible, voir
                         --min-drop). Séparateur : la virgule ; décimales :
                         le point. Exemple : 48.85,2.35,35. Le lieu compris est
                         écrit sur la sortie d&apos;erreur.
  --night                Avec --site : la nuit prochaine au lieu (du coucher
                         au lever du Soleil, bord supérieur à -0,8333°), en
                         un objet JSON : start_ut, end_ut (JJ/MM/AAAA
                         hh:mm:ss, TU) et kind : &quot;night&quot;, &quot;midnight_sun&quot; (pas
                         de nuit : les 24 h qui suivent) ou &quot;polar_night&quot;
                         (24 h sans lever du Soleil).
  --at DATE              Avec --night : l&apos;instant de départ, en heure civile
                         (--offset) ; maintenant par défaut.
  --ics FICHIER          Avec --events : écrit aussi les phénomènes dans un
                         calendrier iCalendar (.ics), un événement par ligne,
                         heures en TU ; avec --site, le lieu de chaque événement.
  --chart AAAA-MM        Le graphique du mois (trajectoires des satellites,
                         nuits au lieu de --site, passages de la Tache Rouge
                         de --grs), heures civiles de --offset (TU si 0),
                         orientation de --flip-main ; sans écran.
  --out FICHIER          Avec --chart : le fichier écrit, au format de son
                         extension : .pdf (le graphique, puis le tableau des
                         phénomènes du mois ; A4), .svg ou .png. Avec
                         --measure : la courbe mesurée (CSV).
  --mutual               Avec --from/--to : les phénomènes mutuels des
                         satellites (occultations « iOj » : i passe devant j ;
                         éclipses « iEj » : j passe dans l&apos;ombre de i ; 1 Io,
                         2 Europe, 3 Ganymède, 4 Callisto), un objet JSON par
                         phénomène dans l&apos;ordre des maximums : code, type,
                         kind (total, annular, partial, penumbral), début,
                         maximum et fin en TU (jj/mm/aaaa hh:mm:ss), durée,
                         paramètre d&apos;impact (km), part de la lumière de la
                         cible perdue, chute d&apos;éclat du couple (magnitudes),
                         distance au limbe de Jupiter (rayons), cible dans
                         l&apos;ombre de Jupiter, derrière ou devant son disque.
                         max_ut_sigma_s : l&apos;incertitude (1 sigma, s) du
                         maximum : covariance de la correction et erreur du
                         modèle mesurée sur une saison laissée de côté.
                         Toujours avec la théorie précise (avec --theory l12 :
                         L1.2 publiée, sans incertitude). Avec --site : les
                         hauteurs et « observable » au maximum ; avec --csv :
                         un tableau CSV. Un satellite derrière Jupiter ou dans
                         son ombre ne donne aucune lumière : chute et lumière
                         perdue sont celles que mesure un photomètre.
                         Contacts : ceux des deux disques (occultation), de la
                         pénombre avec le disque de la cible (éclipse).
                         Photométrie : disques uniformes, albédos V 0,63,
                         0,67, 0,43, 0,17 ; pénombre d&apos;un Soleil uniforme.
                         Écarts aux prédictions publiées (2014-2015, 2021) :
                         voir l&apos;aide du programme.
  --min-drop MAG         Avec --mutual et --site : la chute d&apos;éclat la plus
                         faible qui reste « observable » (0,02 magnitude par
                         défaut ; de 0 à 5, point décimal).
  --lightcurve CODE,DATE La courbe de lumière prévue du phénomène CODE (par
                         exemple 1O2) dont le maximum est le plus proche de
                         DATE (heure civile, à 24 h au plus), en CSV : instant
                         TU, secondes depuis le maximum, flux du couple (1 hors
                         du phénomène).
  --reduce FICHIER       Réduit une courbe de lumière observée, telle que
                         l&apos;exporte le logiciel de photométrie : Tangra, PyMovie,
                         LiMovie, AstroImageJ (CSV ou tableau à tabulations),
                         C-Munipack/Muniwin, tableur, ou tout tableau d&apos;un temps
                         et d&apos;un flux (séparateur « , », « ; », tabulation ou
                         blancs, guillemets, virgule décimale hors « , » ;
                         UTF-8, UTF-16 ou Latin-1 ; préambule admis), du
                         phénomène donné par --event CODE,DATE (comme
                         --lightcurve). Temps : Jours Juliens TU (JD, MJD,
                         JD-2400000), date-heure ISO ou jj/mm/aaaa hh:mm:ss,
                         colonnes de date et d&apos;heure, heure seule (date du
                         phénomène, passage à minuit compris) ou heures,
                         minutes, secondes en trois colonnes. Flux : relatif ou
                         magnitudes ; signal moins fond (Tangra) ; divisé par
                         la comparaison quand le fichier en donne une.
                         Ajuste la courbe prévue (moindres carrés de la GSL :
                         décalage en temps, paramètre d&apos;impact, échelle du flux,
                         pente de la ligne de base ; incertitudes relevées à
                         0,2 fois leur médiane, points à plus de 5 sigma
                         écartés) et écrit un objet JSON : code, layout et
                         reading (la lecture du fichier), predicted_max_ut,
                         observed_max_ut (jj/mm/aaaa hh:mm:ss.s TU, au dixième
                         de seconde), sigma_s (1 sigma, covariance multipliée
                         par le chi2 réduit), o_minus_c_s, depth (part de la
                         lumière du couple perdue), impact_km, reduced_chi2,
                         points, clipped, warnings... Avec --site, la prévision
                         et l&apos;O-C sont topocentriques (&quot;topocentric&quot;: true).
                         Un ajustement qui ne passe pas ses contrôles (baisse du
                         bon signe, minimum entouré de points, profondeur
                         raisonnable, aucun point dominant) donne
                         &quot;converged&quot;: false, &quot;why&quot; et le code de sortie 1.
  --time-column N        Avec --reduce : la colonne des temps (1 = la première) ;
                         par défaut d&apos;après l&apos;en-tête et les valeurs.
  --flux-column N        La colonne des flux ; par défaut d&apos;après l&apos;en-tête,
                         sinon le premier nombre qui n&apos;est ni un temps ni un
                         numéro d&apos;image.
  --sigma-column N       La colonne des incertitudes (0 : aucune) ; par défaut
                         d&apos;après l&apos;en-tête (err, sigma, s1...), sinon aucune.
  --comparison-column N  La colonne du flux de comparaison, par lequel le flux
                         est divisé (0 : aucune) ; par défaut d&apos;après le
                         fichier (Signal (2) de Tangra...).
  --magnitudes           Les flux sont des magnitudes (par défaut quand
                         l&apos;en-tête le dit : « mag », V-C de C-Munipack).
                         --reduce accepte aussi un enregistrement (voir
                         --measure) : il est mesuré, puis ajusté ; sans
                         --event, le phénomène dont le maximum tombe dans ses
                         heures.
  --measure FICHIER      Mesure la courbe de lumière sur l&apos;enregistrement de
                         l&apos;observateur : SER (heures TU de chaque image quand
                         il les a), cube FITS ou dossier de FITS (DATE-OBS et
                         EXPTIME : milieu de la pose), vidéo AVI, MP4…
                         Jupiter et les satellites sont trouvés sur les
                         premières images et nommés d&apos;après la configuration
                         prévue (échelle, rotation et miroir ajustés) ; flux
                         du couple sur celui d&apos;un troisième satellite, fond
                         mesuré dans un anneau. Écrit le CSV de --out (frame,
                         ut, relative_flux, pair_adu, comparison_adu, places
                         des ouvertures) et un résumé JSON ; les images
                         perdues ou saturées sont écartées et comptées.
  --start DATE           Avec un enregistrement : l&apos;heure de la première image
                         (heure civile de --offset) quand le fichier n&apos;en a
                         pas (vidéo) ou en a une fausse.
  --fps N                Avec --start : le nombre d&apos;images par seconde (par
                         défaut celui de la vidéo).
  --approx               Avec --from/--to : les approximations mutuelles, quand
                         deux satellites passent au plus près l&apos;un de l&apos;autre
                         sur le ciel (code « iAj », 1 Io .. 4 Callisto), un
                         objet JSON par approximation dans l&apos;ordre des
                         instants : code, central_ut (instant central, TU au
                         dixième de seconde, ISO 8601), distance_arcsec et
                         distance_km (distance apparente minimale),
                         speed_mas_s et motion_angle_deg (vitesse relative et
                         angle de position du mouvement), limb_arcsec (écart
                         de chaque satellite au bord de Jupiter),
                         mutual_event (le phénomène mutuel du couple en cours,
                         ou null), near_stationary (vitesse sous 1 mas/s :
                         instant central mal défini) et observable. Théorie
                         précise ; topocentrique avec --site (avec les
                         hauteurs de Jupiter et du Soleil), géocentrique
                         sinon ; avec --csv : un tableau CSV.
  --max-distance S       Avec --approx : la distance minimale retenue au plus,
                         en secondes d&apos;arc (30 par défaut, de 1 à 300).
  --reduce FICHIER --approx CODE,DATE
                         Réduit la piste observée d&apos;une approximation (CODE
                         comme 1A2, DATE en heure civile à 24 h près) : un
                         CSV du temps (JJ TU ou ISO TU) et de Δx, Δy (colonnes
                         dx, dy ; en pixels si l&apos;en-tête dit px, sinon en
                         secondes d&apos;arc) ou de la distance (colonne distance),
                         incertitude facultative (sigma). Ajuste
                         d(t)² = d0² + v²(t − t0)² (plus un terme de courbure
                         quand la piste se courbe ; Morgado et al. 2016) et
                         écrit un objet JSON : observed_central_ut, sigma_s,
                         o_minus_c_s et o_minus_c_mas contre la prévision
                         (topocentrique avec --site), minimum_distance...
                         Code de sortie 1 si l&apos;ajustement échoue.
                         FICHIER peut être un enregistrement (SER, FITS,
                         vidéo ; --start et --fps s&apos;il ne date pas ses
                         images) : les centres des deux satellites y sont
                         suivis image par image, leur écart donne la piste
                         (en secondes d&apos;arc quand Jupiter et deux satellites,
                         ou trois satellites, fixent l&apos;échelle ; en pixels
                         sinon), et le même objet JSON dit aussi frames et
                         kept ; bad_rows compte les images écartées.
  --version              Affiche la version.
  --help                 Affiche cette aide.

Avec --events, chaque ligne est écrite dès qu&apos;elle est trouvée ; sur un
terminal, l&apos;avancement s&apos;affiche sur la sortie d&apos;erreur.

Une date illisible donne une ligne {&quot;error&quot;: {&quot;number&quot;: 13, ...}} et le calcul
continue avec la date suivante ; le code de sortie vaut alors 1.
</source>
        <translation>Usage:
  zenolune-ephem [options] DATE...
  zenolune-ephem [options] --from DATE --to DATE [--step STEP]
  zenolune-ephem [options] --events --from DATE --to DATE [--step STEP] [--csv] [--ics FILE]
  zenolune-ephem --night --site LAT,LON[,H] [--at DATE]
  zenolune-ephem [options] --chart YYYY-MM --out FILE.pdf|.svg|.png
  zenolune-ephem [options] --mutual --from DATE --to DATE [--site LAT,LON[,H]] [--min-drop MAG] [--csv]
  zenolune-ephem [options] --lightcurve CODE,DATE
  zenolune-ephem [options] --reduce FILE --event CODE,DATE [--site LAT,LON[,H]]
                 [--time-column N] [--flux-column N] [--sigma-column N]
                 [--comparison-column N] [--magnitudes]
  zenolune-ephem [options] --reduce RECORDING [--event CODE,DATE] [--start DATE --fps N]
  zenolune-ephem [options] --measure RECORDING [--event CODE,DATE] [--site LAT,LON[,H]]
                 [--start DATE --fps N] --out CURVE.csv
  zenolune-ephem [options] --approx --from DATE --to DATE [--site LAT,LON[,H]]
                 [--max-distance ARCSECONDS] [--csv]
  zenolune-ephem [options] --reduce FILE --approx CODE,DATE [--site LAT,LON[,H]]
  zenolune-ephem [options] --reduce RECORDING --approx CODE,DATE [--start DATE --fps N]

Computes, for each date (civil time, written Day/Month/Year
Hour:Minute:Second, for example &quot;01/01/2000 12:00:00&quot;, or in ISO 8601,
2000-01-01 12:00:00), exactly what
Zenolune shows after &quot;OK&quot; is pressed: Julian Day, UT date and time,
central meridians (Systems I and II), the sixteen phenomena, the whole
ephemeris record and the discs drawn. One JSON line per date. The JSON
and CSV keep the program&apos;s French texts (Eclipsé, Occulté, Passage,
Ombre, début, fin), which scripts rely on.

Options:
  --offset HOURS         UT-CT difference, in hours (0 by default; -1 in
                         winter in France, -2 in summer), from -14 to 14;
                         5.5 or 5,5 for 5 h 30.
  --flip-main EW,NS      East-West and North-South flips of the main
                         window (0 or 1 each; 0,0 by default).
  --flip-reduced EW,NS   Flips of the reduced window (0,0 by default).
  --locale NAME          Regional settings of the dates and numbers read
                         and printed (fr_FR, en_US...); by default the
                         program&apos;s French forms (Day/Month/Year, decimal
                         comma), whatever the system&apos;s: what is printed
                         reads back as it is. ISO 8601 is always read.
  --from DATE --to DATE  One line per step between the two dates.
  --step STEP            The step: a count and a unit, yyyy (years),
                         m (months), d (days), h (hours), n (minutes),
                         s (seconds); 10n by default.
  --events               With --from/--to: each beginning and end of a
                         phenomenon (Eclipsé, Occulté, Passage, Ombre), to
                         the second, in civil time. The step must be
                         shorter than the shortest phenomenon looked for
                         (else, a warning).
  --satellite NAME       With --events: Io, Europe, Ganymède or Callisto alone.
  --csv                  With --events: a CSV table instead of JSON.
  --theory THEORY        originale (the default: the program&apos;s theory by
                         Meeus, unchanged) or precise (L1.2 satellites,
                         VSOP87 planets, light-time, oblate Jupiter, IAU
                         pole and rotation; times to a few seconds).
                         The precise theory&apos;s contacts: those of the
                         satellite&apos;s centre. Outside %1, a warning.
  --grs L2,EPOCH,DRIFT   With --events: adds the Great Red Spot&apos;s transits
                         of the central meridian (System II), named
                         &quot;Tache Rouge&quot;. L2: longitude in System II (degrees)
                         at EPOCH (DD/MM/YYYY or YYYY-MM-DD, 0 h UT);
                         DRIFT: degrees per month of 30.436875 days. The
                         values are separated by commas, numbers take a
                         decimal point: 57,2024-07-01,1.5. To be updated
                         from recent observations.
  --site LAT,LON[,H]     With --events: altitudes of Jupiter and the Sun at
                         the observing place (latitude north positive,
                         longitude EAST positive, in degrees; height H in
                         metres) and &quot;observable&quot; when Jupiter is at least
                         10° up, the Sun at most -6° and the phenomenon
                         visible (a &quot;caché&quot; (hidden) phenomenon happens
                         behind Jupiter or in its shadow); otherwise &quot;why&quot;
                         (CSV column pourquoi) gives the reasons: hidden,
                         jupiter_low, daylight, faint (a mutual event too
                         faint, see --min-drop). Separator: the
                         comma; decimals: the point. Example: 48.85,2.35,35.
                         The place understood is written to standard error.
  --night                With --site: the coming night at the place (from
                         sunset to sunrise, upper limb at -0.8333°), as one
                         JSON object: start_ut, end_ut (DD/MM/YYYY
                         hh:mm:ss, UT) and kind: &quot;night&quot;, &quot;midnight_sun&quot; (no
                         night: the next 24 h) or &quot;polar_night&quot; (24 h
                         without sunrise).
  --at DATE              With --night: the starting instant, in civil time
                         (--offset); now by default.
  --ics FILE             With --events: also writes the phenomena to an
                         iCalendar calendar (.ics), one event per line,
                         times in UT; with --site, the place of each event.
  --chart YYYY-MM        The month&apos;s chart (the satellites&apos; tracks, nights
                         at the place of --site, Red Spot transits of
                         --grs), civil hours of --offset (UT if 0),
                         orientation of --flip-main; without a display.
  --out FILE             With --chart: the file written, in the format of
                         its extension: .pdf (the chart, then the table of
                         the month&apos;s phenomena; A4), .svg or .png.
                         With --measure: the measured curve (CSV).
  --mutual               With --from/--to: the satellites&apos; mutual events
                         (occultations &quot;iOj&quot;: i passes in front of j;
                         eclipses &quot;iEj&quot;: j passes into i&apos;s shadow; 1 Io,
                         2 Europa, 3 Ganymede, 4 Callisto), one JSON object
                         per event in the order of the maxima: code, type,
                         kind (total, annular, partial, penumbral), beginning,
                         maximum and end in UT (dd/mm/yyyy hh:mm:ss),
                         duration, impact parameter (km), share of the
                         target&apos;s light lost, drop in the pair&apos;s brightness
                         (magnitudes), distance from Jupiter&apos;s limb (radii),
                         target in Jupiter&apos;s shadow, behind or in front of
                         its disk; max_ut_sigma_s, the maximum&apos;s uncertainty
                         (1 sigma, s): the correction&apos;s covariance and the
                         model&apos;s error measured on a left-out season.
                         Always with the precise theory. With
                         --site: the altitudes and &quot;observable&quot; at maximum;
                         with --csv: a CSV table. A satellite behind Jupiter
                         or in its shadow gives no light: the drop and the
                         light lost are those a photometer records.
                         Contacts: those of the two discs (occultation), of
                         the penumbra with the target&apos;s disc (eclipse).
                         Photometry: uniform discs, V albedos 0.63, 0.67,
                         0.43, 0.17; penumbra of a uniform Sun.
                         Differences from published predictions (2014-2015,
                         2021): see the program&apos;s help.
  --min-drop MAG         With --mutual and --site: the faintest magnitude
                         drop that stays &quot;observable&quot; (0.02 by default;
                         0 to 5, decimal point).
  --lightcurve CODE,DATE The predicted light curve of the event CODE (for
                         example 1O2) whose maximum is nearest DATE (civil
                         time, within 24 h), in CSV: UT instant, seconds
                         since maximum, flux of the pair (1 outside the
                         event).
  --reduce FILE          Reduces an observed light curve as the photometry
                         program exports it: Tangra, PyMovie, LiMovie,
                         AstroImageJ (CSV or tab table), C-Munipack/Muniwin,
                         a spreadsheet, or any table of a time and a flux
                         (separator &quot;,&quot;, &quot;;&quot;, tab or blanks, quotes, decimal
                         comma outside &quot;,&quot;; UTF-8, UTF-16 or Latin-1; a
                         preamble allowed), of the event given by --event
                         CODE,DATE (as --lightcurve). Times: Julian Days UTC
                         (JD, MJD, JD-2400000), ISO or dd/mm/yyyy hh:mm:ss
                         date-times, date and time columns, time of day alone
                         (the event&apos;s date, rolled over at midnight) or hours,
                         minutes, seconds in three columns. Flux: relative or
                         magnitudes; signal minus background (Tangra);
                         divided by the comparison when the file gives one.
                         Fits the predicted curve (GSL least squares: time
                         shift, impact parameter, flux scale, baseline slope;
                         uncertainties floored at 0.2 times their median,
                         points beyond 5 sigma clipped) and writes a JSON
                         object: code, layout and reading (how the file was
                         read), predicted_max_ut, observed_max_ut (dd/mm/yyyy
                         hh:mm:ss.s UT, to the tenth of a second), sigma_s (1
                         sigma, covariance times the reduced chi2),
                         o_minus_c_s, depth (share of the pair&apos;s light lost),
                         impact_km, reduced_chi2, points, clipped,
                         warnings... With --site, the prediction and the O-C
                         are topocentric (&quot;topocentric&quot;: true). A fit that
                         fails its checks (a dip of the right sign, points
                         around the minimum, a reasonable depth, no dominant
                         point) gives &quot;converged&quot;: false, &quot;why&quot; and exit
                         status 1.
  --time-column N        With --reduce: the time column (1 = the first); by
                         default from the header and the values.
  --flux-column N        The flux column; by default from the header, else the
                         first number that is neither a time nor a frame
                         number.
  --sigma-column N       The uncertainty column (0: none); by default from
                         the header (err, sigma, s1...), else none.
  --comparison-column N  The comparison&apos;s flux column, by which the flux is
                         divided (0: none); by default from the file (Tangra&apos;s
                         Signal (2)...).
  --magnitudes           The fluxes are magnitudes (by default when the
                         header says so: &quot;mag&quot;, C-Munipack&apos;s V-C).
                         --reduce also takes a recording (see --measure):
                         it is measured, then fitted; without --event, the
                         event whose maximum lies within its times.
  --measure FILE         Measures the light curve on the observer&apos;s
                         recording: SER (UT of each frame when it has them),
                         a FITS cube or a folder of FITS (DATE-OBS and
                         EXPTIME: the middle of the exposure), AVI, MP4...
                         video. Jupiter and the satellites are found on the
                         first frames and named from the predicted
                         configuration (scale, rotation and mirror fitted);
                         the pair&apos;s flux over a third satellite&apos;s, the
                         background measured in an annulus. Writes the CSV
                         of --out (frame, ut, relative_flux, pair_adu,
                         comparison_adu, the apertures&apos; places) and a JSON
                         summary; lost or saturated frames are dropped and
                         counted.
  --start DATE           With a recording: the time of the first frame
                         (civil time of --offset) when the file has none
                         (video) or a wrong one.
  --fps N                With --start: the frames per second (by default
                         the video&apos;s).
  --approx               With --from/--to: the mutual approximations, when
                         two satellites pass closest to each other on the
                         sky (code &quot;iAj&quot;, 1 Io .. 4 Callisto), one JSON
                         object per approximation in time order: code,
                         central_ut (central instant, UT to the tenth of a
                         second, ISO 8601), distance_arcsec and distance_km
                         (least apparent distance), speed_mas_s and
                         motion_angle_deg (relative speed and position angle
                         of the motion), limb_arcsec (each satellite&apos;s
                         distance from Jupiter&apos;s limb), mutual_event (the
                         pair&apos;s mutual event under way, or null),
                         near_stationary (speed below 1 mas/s: central
                         instant ill-defined) and observable. Precise theory;
                         topocentric with --site (with Jupiter&apos;s and the
                         Sun&apos;s altitudes), geocentric otherwise; with --csv:
                         a CSV table.
  --max-distance S       With --approx: the largest least distance listed,
                         in arcseconds (30 by default, 1 to 300).
  --reduce FILE --approx CODE,DATE
                         Reduces the observed track of an approximation (CODE
                         such as 1A2, DATE in civil time within 24 h): a CSV
                         of the time (JD UTC or ISO UTC) and Δx, Δy (columns
                         dx, dy; pixels when the header says px, arcseconds
                         otherwise) or the distance (column distance),
                         optional uncertainty (sigma). Fits
                         d(t)² = d0² + v²(t − t0)² (plus a curvature term
                         when the track bends; Morgado et al. 2016) and
                         writes one JSON object: observed_central_ut,
                         sigma_s, o_minus_c_s and o_minus_c_mas against the
                         prediction (topocentric with --site),
                         minimum_distance... Exit status 1 when the fit fails.
                         FILE may be a recording (SER, FITS, video; --start
                         and --fps when it does not date its frames): the
                         two satellites&apos; centres are followed frame by
                         frame, their offset gives the track (arcseconds
                         when Jupiter and two satellites, or three
                         satellites, fix the scale; pixels otherwise), and
                         the same JSON object also gives frames and kept;
                         bad_rows counts the frames dropped.
  --version              Prints the version.
  --help                 Prints this help.

With --events, each row is written as soon as it is found; on a terminal,
the progress is shown on standard error.

An unreadable date gives a line {&quot;error&quot;: {&quot;number&quot;: 13, ...}} and the
computation goes on with the next date; the exit status is then 1.
</translation>
    </message>
</context>
</TS>
