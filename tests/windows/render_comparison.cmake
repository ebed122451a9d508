# Render comparison of the Windows fxhost with the native one (under Wine).
