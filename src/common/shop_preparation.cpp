#include "shop_preparation.h"

#include "language.h"

QString settingsOption(const QString &settingsFile)
{
    if (settingsFile.isEmpty())
        return QString();
    return settingsFile.contains(QLatin1Char(' ')) ? QStringLiteral(" --settings '%1'").arg(settingsFile)
                                                    : QStringLiteral(" --settings %1").arg(settingsFile);
}

QString shopPreparationText(const QString &settingsFile)
{
    return chooseText(QStringLiteral("Prepare a shop with tillano-setup, as the user who runs Tillano:\n"
                                     "\n"
                                     "A demo shop, with simulated devices (manager code 1, cashier 2, "
                                     "training cashier 9):\n"
                                     "    tillano-setup%1 --demo ~/tillano-demo\n"
                                     "\n"
                                     "A real shop, empty but for its first manager, \"Manager\", who signs "
                                     "in with CODE (1 when not given) and enters the cashiers, departments, "
                                     "products and general parameters from the Parameters menu (add --pin PIN, 4 to 8 digits, "
                                     "and every cashier signs in with a code and a PIN, the manager with that one):\n"
                                     "    tillano-setup%1 --manager CODE ~/tillano"),
                      QStringLiteral("Préparez un magasin avec tillano-setup, sous l'utilisateur qui lance Tillano :\n"
                                     "\n"
                                     "Un magasin de démonstration, avec des appareils simulés (code gérant 1, "
                                     "caissier 2, caissier en formation 9) :\n"
                                     "    tillano-setup%1 --demo ~/tillano-demo\n"
                                     "\n"
                                     "Un vrai magasin, vide à part son premier gérant, « Manager », qui entre "
                                     "avec CODE (1 s'il n'est pas donné) et saisit les caissiers, départements, "
                                     "produits et paramètres généraux par le menu Paramêtres (ajoutez --pin NIP, 4 à 8 chiffres, "
                                     "et chaque caissier entre avec un code et un NIP, le gérant avec celui-là) :\n"
                                     "    tillano-setup%1 --manager CODE ~/tillano"))
        .arg(settingsOption(settingsFile));
}
